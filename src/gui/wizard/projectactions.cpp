#include "gui/wizard/projectactions.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>

#include "engine/filters/filterregistry.h"
#include "engine/project/projectreader.h"
#include "engine/project/projectwriter.h"
#include "engine/naming/renameopter.h"
#include "gui/wizard/step1page.h"
#include "gui/wizard/step2page.h"
#include "gui/wizard/step3page.h"
#include "ui_tamsorel.h"
#include "gui/wizard/wizardstate.h"

namespace {

QString projectFilter()
{
    return ProjectActions::tr("Project File") + QStringLiteral(" (*.bps)");
}

} // namespace

ProjectActions::ProjectActions(Ui::TamsorelClass &ui, WizardState &state, Step1Page &step1, Step2Page &step2,
                               Step3Page &step3, QMainWindow *window)
    : QObject(window)
    , m_ui(ui)
    , m_state(state)
    , m_step1(step1)
    , m_step2(step2)
    , m_step3(step3)
    , m_window(window)
{
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
    if (QMessageBox::question(m_window, tr("Kelvarine"), tr("Your setting will be discarded. Continue?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        != QMessageBox::Yes)
        return;

    setProjectPath(QString());
    m_step1.removeAll();
    m_state.viewsEnabled = false;
    m_step2.setChainRows({});
    m_step2.setNaming(0, RenameOpter::defaultFormat(), RenameOpter::defaultFormat());
    m_ui.step3_cb_useSourceFolder->setChecked(false);
    m_ui.step3_outputFolder->setText(QDir::homePath());
    m_ui.comboWFormats->setCurrentIndex(0);
    m_ui.step3_cb_singleDoc->setChecked(false);
    m_ui.step3_cb_openOutputFolder->setChecked(false);
    m_ui.step3_cb_delSource->setChecked(false);
    m_step3.setOutputOptions(OutputOptions());
    m_state.viewsEnabled = true;

    m_step2.updateFilenamePreview();
    m_step1.updateView();
    m_step2.refreshPreview(0);
}

void ProjectActions::loadProject()
{
    const QString path = QFileDialog::getOpenFileName(m_window, tr("Load Project"), dialogFolder(), projectFilter());
    if (!path.isEmpty())
        loadProjectFile(path);
}

bool ProjectActions::loadProjectFile(const QString &path)
{
    _ProjectFile project;
    if (!ProjectReader::instance().read(path, project)) {
        QMessageBox::critical(m_window, tr("Error"), tr("The project file is not supported."));
        return false;
    }
    // Paths in a project that travels with its pictures are relative to its folder.
    project.resolvePaths(QFileInfo(path).absolutePath());
    setProjectPath(path);
    applyParamFile(project, true);
    return true;
}

_ProjectFile ProjectActions::paramFile(bool isProject) const
{
    _ProjectFile project;
    if (isProject) {
        for (const PictureEntry &picture : std::as_const(m_state.pictures))
            project.images.append(picture.path);
    }
    const FilterRegistry &registry = FilterRegistry::instance();
    for (FilterEntry entry : m_step2.chainRows()) {
        // An installed filter is saved under the name its plug-in gives it; a row
        // whose filter is not installed keeps its own, so the chain survives.
        const int index = registry.indexOfFilter(entry.Name);
        if (index >= 0)
            entry.Name = FilterEntry::nameOf(registry.categoryPaths().at(index));
        project.filters.append(entry);
    }
    project.formateStr = m_state.formateStr;
    project.customFormateStr = m_state.customFormateStr;
    project.index = m_ui.step2_cbPreset->currentIndex();
    project.UseSourcePath = m_ui.step3_cb_useSourceFolder->isChecked() ? 1 : 0;
    project.DestPath = m_ui.step3_outputFolder->text();
    project.FormatIndex = m_ui.comboWFormats->currentIndex();
    project.Multipage = m_ui.step3_cb_singleDoc->isChecked() ? 1 : 0;
    project.OpenOutputFolder = m_ui.step3_cb_openOutputFolder->isChecked() ? 1 : 0;
    project.DeleteSource = m_ui.step3_cb_delSource->isChecked() ? 1 : 0;
    project.setOutputOptions(m_step3.outputOptions());
    return project;
}

bool ProjectActions::writeParamFile(const QString &path, bool isProject)
{
    if (ProjectWriter::instance().write(path, paramFile(isProject)))
        return true;
    QMessageBox::critical(m_window, tr("Error"), tr("The project file cannot be written."));
    return false;
}

void ProjectActions::applyParamFile(const _ProjectFile &project, bool withPictures)
{
    if (withPictures)
        m_step1.removeAll();  // a profile replaces them too, by none
    m_state.viewsEnabled = false;
    if (withPictures)
        m_step1.addPictures(project.images);
    m_step2.setChainRows(project.filters);
    m_step2.setNaming(project.index, project.formateStr, project.customFormateStr);

    m_ui.step3_cb_useSourceFolder->setChecked(project.UseSourcePath == 1);
    m_ui.step3_outputFolder->setText(project.DestPath);
    // An unknown row (a damaged file) leaves the format as it was.
    if (project.FormatIndex >= 0 && project.FormatIndex < m_ui.comboWFormats->count())
        m_ui.comboWFormats->setCurrentIndex(project.FormatIndex);
    // The format decides first whether it can hold pages at all.
    m_ui.step3_cb_singleDoc->setChecked(project.Multipage == 1 && m_ui.step3_cb_singleDoc->isEnabled());
    m_ui.step3_cb_openOutputFolder->setChecked(project.OpenOutputFolder == 1);
    m_ui.step3_cb_delSource->setChecked(project.DeleteSource == 1);
    m_step3.setOutputOptions(project.outputOptions());
    m_state.viewsEnabled = true;

    m_step2.updateFilenamePreview();
    m_step1.updateView();
    m_step2.refreshPreview(0);
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

void ProjectActions::saveProject()
{
    if (m_state.projectPath.isEmpty())
        saveProjectAs();
    else
        writeParamFile(m_state.projectPath, true);
}

void ProjectActions::saveProjectAs()
{
    const QString path = askSavePath(tr("Save Project As"));
    // The saved file becomes the project, so that a later Save never writes over
    // the file the user saved away from.
    if (!path.isEmpty() && writeParamFile(path, true))
        setProjectPath(path);
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
