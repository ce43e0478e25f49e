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
// Work counts as unsaved when the record a save would write now differs from
// the one last loaded, saved or started with; New, Load, a recent project and
// closing the window ask about it first. Projects loaded or saved join the
// recent list of the settings.
//
// Threads: GUI thread only.

#include <QObject>
#include <QString>

#include "engine/project/projectfile.h"
#include "engine/project/projectjob.h"

class AppSettings;
class QMainWindow;
class Step1Page;
class Step2Page;
class Step3Page;
struct WizardState;

class ProjectActions : public QObject
{
    Q_OBJECT

public:
    ProjectActions(WizardState &state, Step1Page &step1, Step2Page &step2, Step3Page &step3, AppSettings &settings,
                   QMainWindow *window);

    void newProject();
    void loadProject();
    // A project of the recent list: asks about unsaved work, then loads it.
    void loadRecentProject(const QString &path);
    // Loads the project file as Load Project does after its file dialog.
    bool loadProjectFile(const QString &path);
    // False when nothing was written (cancelled or failed).
    bool saveProject();
    bool saveProjectAs();
    void saveProfile();
    void exit();

    // The job as it is now becomes the one that counts as saved.
    void markSaved();
    bool hasUnsavedChanges() const;
    // With unsaved work, asks whether to save it first (Save, Discard, Cancel).
    // True when the caller may go on and replace or drop the work.
    bool settleUnsavedWork();

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
    AppSettings &m_settings;
    QMainWindow *m_window;
    _ProjectFile m_saved;
};

#endif
