#include "gui/help/helpcommands.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStatusBar>
#include <QUrl>

#include "gui/help/dlgabout.h"
#include "engine/runtime/resourcedir.h"

HelpCommands::HelpCommands(QStatusBar *statusBar, QWidget *window)
    : QObject(window)
    , m_statusBar(statusBar)
    , m_window(window)
{
}

QString HelpCommands::pageForStep(int step)
{
    switch (step) {
    case 0:
        return QStringLiteral("user_interface_step1_add_photos.htm");
    case 1:
        return QStringLiteral("user_interface_step2_add_filters.htm");
    case 2:
        return QStringLiteral("user_interface_step3_setup.htm");
    default:
        return introductionPage();
    }
}

bool HelpCommands::openPage(const QString &page)
{
    const QString path = resourceDir(QStringLiteral("help")) + QLatin1Char('/') + page;
    if (!QFileInfo(path).isFile()) {
        m_statusBar->showMessage(tr("The help page %1 is not installed.").arg(QDir::toNativeSeparators(path)), 5000);
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        m_statusBar->showMessage(tr("No program to show the help page %1 was found.").arg(QDir::toNativeSeparators(path)),
                                 5000);
        return false;
    }
    return true;
}

QString HelpCommands::updaterPath()
{
    return helperProgram(QStringLiteral("updater"));
}

bool HelpCommands::startUpdater(const QString &argument)
{
    const QString program = updaterPath();
    const QFileInfo info(program);
    if (info.isFile() && info.isExecutable()
        && QProcess::startDetached(program, {argument}, QCoreApplication::applicationDirPath()))
        return true;
    QMessageBox::warning(m_window, tr("Updates"),
                         tr("The updater could not be started: %1 is missing.").arg(QDir::toNativeSeparators(program)));
    return false;
}

void HelpCommands::showAbout()
{
    DlgAbout about;
    about.exec();
}
