#include "gui/process/wizardbatch.h"

#include <QDesktopServices>
#include <QDir>
#include <QStatusBar>
#include <QThread>
#include <QUrl>

#include "engine/runtime/imagelibrary.h"
#include "gui/process/dlgoverwrite.h"
#include "gui/wizard/appsettings.h"

namespace {

// Decided once, as the wizard starts, never per batch: a picture on every core,
// each with its share of the memory. The library's threads per operation are
// left as they are: the wizard's previews run the library on threads of their
// own while the window lives, and with a lower limit set here, on the GUI
// thread, the library's threaded operations there (Fit's resampling, blurs)
// abort inside the library: it sizes its per-thread pixel views by the limit
// while their loops still run on every core.
void shareTheMachine(int jobs)
{
    static const bool shared = [jobs] {
        ImageLibrary::setPicturesAtOnce(jobs);
        return true;
    }();
    Q_UNUSED(shared);
}

} // namespace

WizardBatch::WizardBatch(AppSettings *settings, QStatusBar *statusBar, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_statusBar(statusBar)
{
    shareTheMachine(BatchRunner::recommendedJobs());
    m_driver.setOverwriteQuestion(&WizardBatch::askOverwrite);
    connect(&m_driver, &BatchDriver::statusMessage, m_statusBar, &QStatusBar::showMessage);
    connect(&m_driver, &BatchDriver::logStarted, &m_dialog, &DlgProcess::startLog);
    connect(&m_driver, &BatchDriver::resultLogged, &m_dialog, &DlgProcess::addResult);
    connect(&m_driver, &BatchDriver::lastError, &m_dialog, &DlgProcess::setLastError);
    connect(&m_driver, &BatchDriver::batchAborted, &m_dialog, [this] {
        m_dialog.setRunning(false);
        m_dialog.close();
    });
    connect(&m_driver, &BatchDriver::batchFinished, this, &WizardBatch::batchFinished);
}

void WizardBatch::run(const QList<PictureEntry> &pictures, const ProjectJob &job)
{
    const ConversionJob conversion = job.conversionJob();
    if (pictures.isEmpty())
        return;
    m_outputFolder = conversion.useSourceFolder ? pictures.first().folder : conversion.outputFolder;
    m_openFolder = job.openOutputFolder;
    if (!m_driver.startProcessing(pictures, conversion))
        return;
    if (m_settings)
        m_settings->setLastWriteFormat(job.formatRow);
    m_dialog.exec();
}

void WizardBatch::batchFinished()
{
    m_dialog.showSummary(m_driver.summary(), m_outputFolder);
    // Only a batch that ran to its end shows its folder, and only one that is there.
    if (m_openFolder && QDir(m_outputFolder).exists())
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_outputFolder));
}

OverwriteAnswer WizardBatch::askOverwrite(const QString &target, QString &name)
{
    DlgOverwrite question;
    question.photoName = name;
    question.setPath(target);
    const auto code = OverwriteAnswer(question.exec());
    name = question.photoName;
    return code;
}
