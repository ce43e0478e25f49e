#ifndef RECENTPROJECTSMENU_H
#define RECENTPROJECTSMENU_H

// Project -> Recent Projects: the projects last loaded or saved that still exist,
// most recent first, rebuilt each time the Project menu opens. Choosing one loads
// it as Load Project would, asking about unsaved work first.
//
// Threads: GUI thread only.

#include <QObject>

class AppSettings;
class ProjectActions;
class QMenu;

class RecentProjectsMenu : public QObject
{
    Q_OBJECT

public:
    // Lives as long as `recent`.
    RecentProjectsMenu(QMenu &projectMenu, QMenu &recent, AppSettings &settings, ProjectActions &project);

    // Fills the submenu from the settings; disabled when there is nothing to list.
    void rebuild();

private:
    QMenu &m_recent;
    AppSettings &m_settings;
    ProjectActions &m_project;
};

#endif
