// updater: the wizard starts it detached with /checknow ("Check for Updates") or
// /configure ("Auto Update ..."). This build has no update source, so it says
// which version is installed and that nothing can be checked, instead of
// pretending to look.

#include <QApplication>
#include <QMessageBox>
#include <QStringList>

#include <cstdio>

#include "kelvarineconfig.h"
#include "i18n/translations.h"

namespace {

enum ExitStatus { ExitDone = 0, ExitUsage = 2 };

// The updater's texts, translated in a context of their own.
struct Updater
{
    Q_DECLARE_TR_FUNCTIONS(Updater)
};

int usage()
{
    std::fputs("usage: updater /checknow | /configure\n"
               "  /checknow   show the installed version and whether an update can be checked\n"
               "  /configure  show the automatic update settings\n",
               stderr);
    return ExitUsage;
}

void inform(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok);
    box.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    // Decide on the arguments before a window system is needed, so that a wrong
    // call fails the same way with or without a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (arguments.size() != 1)
        return usage();
    const QString command = arguments.first().toLower();
    if (command != QLatin1String("/checknow") && command != QLatin1String("/configure"))
        return usage();

    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));  // the look of the wizard
    QApplication::setApplicationName(QStringLiteral("Kelvarine Updater"));
    QApplication::setApplicationVersion(QStringLiteral(KELVARINE_VERSION));
    Translations::install(&app);
    const QString version = QStringLiteral(KELVARINE_VERSION);

    if (command == QLatin1String("/checknow")) {
        inform(Updater::tr("Check for Updates"),
               Updater::tr("Kelvarine %1 is installed.\n\n"
                  "No update source is configured, so no newer version can be looked for.").arg(version));
    } else {
        inform(Updater::tr("Auto Update"),
               Updater::tr("Kelvarine %1 is installed.\n\n"
                  "No update source is configured, so there is nothing to set up for automatic updates.").arg(version));
    }
    return ExitDone;
}
