#include "gui/wizard/recentprojectsmenu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "gui/wizard/appsettings.h"
#include "gui/wizard/projectactions.h"

RecentProjectsMenu::RecentProjectsMenu(QMenu &projectMenu, QMenu &recent, AppSettings &settings,
                                       ProjectActions &project)
    : QObject(&recent)
    , m_recent(recent)
    , m_settings(settings)
    , m_project(project)
{
    connect(&projectMenu, &QMenu::aboutToShow, this, &RecentProjectsMenu::rebuild);
    rebuild();
}

void RecentProjectsMenu::rebuild()
{
    m_recent.clear();
    const QStringList projects = m_settings.recentProjects();
    for (int i = 0; i < projects.size(); ++i) {
        const QString path = projects.at(i);
        // Numbered for the keyboard; an "&" of the file's name is shown, not taken as a key.
        QString name = QFileInfo(path).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *action = m_recent.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        action->setData(path);
        action->setToolTip(QDir::toNativeSeparators(path));
        action->setStatusTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, &m_project, [this, path] { m_project.loadRecentProject(path); });
    }
    m_recent.menuAction()->setEnabled(!projects.isEmpty());
}
