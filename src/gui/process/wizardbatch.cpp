#include "gui/process/wizardbatch.h"

#include <QDesktopServices>
#include <QDir>
#include <QStatusBar>
#include <QUrl>

#include "gui/process/dlgoverwrite.h"
#include "gui/wizard/appsettings.h"

WizardBatch::WizardBatch(AppSettings *settings, QStatusBar *statusBar, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_statusBar(statusBar)
{
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
    if (!m_driver.startProcessing(pictures, conversion))
        return;
    if (m_settings)
        m_settings->setLastWriteFormat(job.formatRow);
    m_folderToOpen.clear();
    if (job.openOutputFolder)
        m_folderToOpen = conversion.useSourceFolder ? pictures.first().folder : conversion.outputFolder;
    m_dialog.exec();
}

void WizardBatch::batchFinished()
{
    // Only a batch that ran to its end shows its folder, and only one that is there.
    if (!m_folderToOpen.isEmpty() && QDir(m_folderToOpen).exists())
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_folderToOpen));
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
