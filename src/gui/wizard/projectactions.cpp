#include "gui/wizard/projectactions.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>

#include "engine/naming/renameopter.h"
#include "engine/project/projectwriter.h"
#include "gui/wizard/appsettings.h"
#include "gui/wizard/step1page.h"
#include "gui/wizard/step2page.h"
#include "gui/wizard/step3page.h"
#include "gui/wizard/wizardstate.h"

namespace {

QString projectFilter()
{
    return ProjectActions::tr("Project File") + QStringLiteral(" (*.bps)");
}

} // namespace

ProjectActions::ProjectActions(WizardState &state, Step1Page &step1, Step2Page &step2, Step3Page &step3,
                               AppSettings &settings, QMainWindow *window)
    : QObject(window)
    , m_state(state)
    , m_step1(step1)
    , m_step2(step2)
    , m_step3(step3)
    , m_settings(settings)
    , m_window(window)
{
    markSaved();
}

void ProjectActions::markSaved()
{
    m_saved = paramFile(true);
}

bool ProjectActions::hasUnsavedChanges() const
{
    return !(paramFile(true) == m_saved);
}

bool ProjectActions::settleUnsavedWork()
{
    if (!hasUnsavedChanges())
        return true;
    QMessageBox box(QMessageBox::Question, tr("Kelvarine"),
                    tr("The pictures, filters, names or output settings have changed since they were last saved. "
                       "Save them first?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_window);
    // Enter keeps the work, Escape leaves everything as it is.
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return saveProject();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void ProjectActions::setProjectPath(const QString &path)
{
    m_state.projectPath = path;
    const QString program = tr("Kelvarine");
    m_window->setWindowTitle(path.isEmpty() ? program
                                            : tr("%1 - %2").arg(program, QFileInfo(path).completeBaseName()));
}

void ProjectActions::newProject()
{
    if (hasUnsavedChanges()) {
        if (!settleUnsavedWork())
            return;
    } else if (QMessageBox::question(m_window, tr("Kelvarine"), tr("Your setting will be discarded. Continue?"),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               != QMessageBox::Yes) {
        // No is the default: Enter on a question that discards work keeps it.
        return;
    }

    setProjectPath(QString());
    ProjectJob blank;
    blank.nameTemplate = blank.customTemplate = RenameOpter::defaultFormat();
    m_step3.fillDefaults(blank, QDir::homePath());
    showJob(blank, true);
    markSaved();
}

void ProjectActions::loadRecentProject(const QString &path)
{
    if (settleUnsavedWork())
        loadProjectFile(path);
}

void ProjectActions::loadProject()
{
    if (!settleUnsavedWork())
        return;
    const QString path = QFileDialog::getOpenFileName(m_window, tr("Load Project"), dialogFolder(), projectFilter());
    if (!path.isEmpty())
        loadProjectFile(path);
}

bool ProjectActions::loadProjectFile(const QString &path)
{
    const Result<ProjectJob> job = ProjectJob::load(path, ProjectJob::Reading::Lenient);
    if (!job) {
        QMessageBox::critical(m_window, tr("Error"), job.error());
        return false;
    }
    setProjectPath(path);
    showJob(job.value(), true);
    markSaved();
    m_settings.addRecentProject(path);
    return true;
}

ProjectJob ProjectActions::currentJob(bool withPictures) const
{
    ProjectJob job;
    if (withPictures) {
        for (const PictureEntry &picture : std::as_const(m_state.pictures))
            job.pictures.append(picture.path);
    }
    job.filters = m_step2.chainRows();
    job.nameTemplate = m_state.formateStr;
    job.customTemplate = m_state.customFormateStr;
    job.presetRow = m_step2.presetRow();
    m_step3.fillJob(job);
    return job;
}

void ProjectActions::showJob(const ProjectJob &job, bool withPictures)
{
    if (withPictures)
        m_step1.removeAll();
    m_state.viewsEnabled = false;
    if (withPictures)
        m_step1.addPictures(job.pictures);
    m_step2.setChainRows(job.filters);
    m_step2.setNaming(job.presetRow, job.nameTemplate, job.customTemplate);
    m_step3.showJob(job);
    m_state.viewsEnabled = true;

    m_step2.updateFilenamePreview();
    m_step1.updateView();
    m_step2.refreshPreview(0);
}

_ProjectFile ProjectActions::paramFile(bool isProject) const
{
    return currentJob(isProject).toProject();
}

void ProjectActions::applyParamFile(const _ProjectFile &project, bool withPictures)
{
    // A profile replaces the pictures too, by none.
    showJob(ProjectJob::fromProject(project, ProjectJob::Reading::Lenient).value(), withPictures);
}

bool ProjectActions::writeParamFile(const QString &path, bool isProject)
{
    const Status written = ProjectWriter().write(path, paramFile(isProject));
    if (!written)
        QMessageBox::critical(m_window, tr("Error"), written.error());
    return written.ok();
}

QString ProjectActions::dialogFolder() const
{
    // Beside the current project, else in the home folder (not wherever the
    // program happened to be started from).
    return m_state.projectPath.isEmpty() ? QDir::homePath() : QFileInfo(m_state.projectPath).absolutePath();
}

QString ProjectActions::askSavePath(const QString &title) const
{
    QFileDialog dialog(m_window, title, dialogFolder(), projectFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("bps"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool ProjectActions::saveProject()
{
    if (m_state.projectPath.isEmpty())
        return saveProjectAs();
    if (!writeParamFile(m_state.projectPath, true))
        return false;
    markSaved();
    m_settings.addRecentProject(m_state.projectPath);
    return true;
}

bool ProjectActions::saveProjectAs()
{
    const QString path = askSavePath(tr("Save Project As"));
    // The saved file becomes the project, so that a later Save never writes over
    // the file the user saved away from.
    if (path.isEmpty() || !writeParamFile(path, true))
        return false;
    setProjectPath(path);
    markSaved();
    m_settings.addRecentProject(path);
    return true;
}

void ProjectActions::saveProfile()
{
    const QString path = askSavePath(tr("Save Profile"));
    if (!path.isEmpty())
        writeParamFile(path, false);
}

void ProjectActions::exit()
{
    m_window->close();
}
