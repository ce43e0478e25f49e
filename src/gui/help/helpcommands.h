#ifndef HELPCOMMANDS_H
#define HELPCOMMANDS_H

// The manual, the updater and the about box, as the Help and Option menus and
// the Help button reach them. The manual is HTML in the "help" folder beside the
// program, shown by the desktop's browser; the updater is the program "updater"
// beside this one, started detached. Whatever is missing is said, not ignored.
//
// Threads: GUI thread only.

#include <QObject>
#include <QString>

class QStatusBar;
class QWidget;

class HelpCommands : public QObject
{
    Q_OBJECT

public:
    HelpCommands(QStatusBar *statusBar, QWidget *window);

    static QString introductionPage() { return QStringLiteral("introduction.htm"); }
    static QString tutorialPage() { return QStringLiteral("tutorials_how_to_resize_and_rotate.htm"); }
    // The page about a wizard step (0 to 2); the introduction for any other.
    static QString pageForStep(int step);

    // False, with a status-bar message, when the page is not there.
    bool openPage(const QString &page);
    // "/checknow" or "/configure". False, with a message, when the updater is missing.
    bool startUpdater(const QString &argument);
    void showAbout();

    static QString updaterPath();

private:
    QStatusBar *m_statusBar;
    QWidget *m_window;
};

#endif
