#include "gui/process/wizardbatch.h"

#include <QDesktopServices>
#include <QStatusBar>
#include <QUrl>

#include "gui/process/dlgoverwrite.h"

WizardBatch::WizardBatch(AppSettings *settings, QStatusBar *statusBar, QObject *parent)
    : QObject(parent)
    , m_driver(settings)
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
    connect(&m_driver, &BatchDriver::openFolder, this,
            [](const QString &folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); });
}

void WizardBatch::run(const QList<PictureEntry> &pictures, const ConversionJob &job)
{
    if (!m_driver.startProcessing(pictures, job))
        return;
    m_dialog.exec();
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
