#ifndef PROJECTACTIONS_H
#define PROJECTACTIONS_H

// The Project menu: a new job, loading and saving whole jobs as project files,
// saving a profile (a job without pictures), and leaving the program. A project
// file is only ever replaced by a complete new one; a save that fails says so and
// leaves the file and the current project as they were. The window's title names
// the current project.
//
// The wizard's job is gathered from, and given back to, the step pages by their
// own methods; ProjectJob turns it into the file's record and back.
//
// Threads: GUI thread only.

#include <QObject>
#include <QString>

#include "engine/project/projectfile.h"
#include "engine/project/projectjob.h"

class QMainWindow;
class Step1Page;
class Step2Page;
class Step3Page;
struct WizardState;

class ProjectActions : public QObject
{
    Q_OBJECT

public:
    ProjectActions(WizardState &state, Step1Page &step1, Step2Page &step2, Step3Page &step3, QMainWindow *window);

    void newProject();
    void loadProject();
    // Loads the project file as Load Project does after its file dialog.
    bool loadProjectFile(const QString &path);
    void saveProject();
    void saveProjectAs();
    void saveProfile();
    void exit();

    // The wizard's job as the pages show it; without pictures for a profile.
    ProjectJob currentJob(bool withPictures) const;
    // The pages set from a job; the pictures too when `withPictures`.
    void showJob(const ProjectJob &job, bool withPictures);

    // The wizard's job as a project record; a profile (isProject false) has no pictures.
    _ProjectFile paramFile(bool isProject) const;
    void applyParamFile(const _ProjectFile &project, bool withPictures);
    // False, after telling the user, when the file could not be written.
    bool writeParamFile(const QString &path, bool isProject);

private:
    QString dialogFolder() const;
    QString askSavePath(const QString &title) const;
    void setProjectPath(const QString &path);

    WizardState &m_state;
    Step1Page &m_step1;
    Step2Page &m_step2;
    Step3Page &m_step3;
    QMainWindow *m_window;
};

#endif
