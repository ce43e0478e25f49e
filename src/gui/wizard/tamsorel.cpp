#include "gui/wizard/tamsorel.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMessageBox>

#include "gui/wizard/accelerators.h"
#include "gui/wizard/appsettings.h"
#include "gui/wizard/dlgpreferences.h"
#include "gui/wizard/recentprojectsmenu.h"
#include "gui/wizard/wizardkeys.h"
#include "gui/wizard/wizardsteps.h"
#include "engine/filters/filterregistry.h"
#include "gui/help/helpcommands.h"
#include "gui/wizard/projectactions.h"
#include "engine/naming/renameopter.h"
#include "engine/runtime/resourcedir.h"
#include "gui/wizard/step1page.h"
#include "gui/wizard/step2page.h"
#include "gui/wizard/step3page.h"
#include "gui/wizard/wizardicons.h"
#include "ui_tamsorel.h"
#include "gui/process/wizardbatch.h"
#include "gui/views/wizardviews.h"

namespace {

// The window's slots keep their historical names, some of which look like
// automatic connections without being one (they are connected by hand); the
// form's set-up would warn about each of them.
QLoggingCategory::CategoryFilter previousFilter = nullptr;

void quietSlotNames(QLoggingCategory *category)
{
    if (qstrcmp(category->categoryName(), "qt.core.qmetaobject.connectslotsbyname") == 0) {
        for (QtMsgType type : {QtDebugMsg, QtInfoMsg, QtWarningMsg})
            category->setEnabled(type, false);
    } else if (previousFilter) {
        previousFilter(category);
    }
}

} // namespace

Tamsorel::Tamsorel(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::TamsorelClass)
    , m_settings(std::make_unique<AppSettings>())
{
    static const bool quiet = (previousFilter = QLoggingCategory::installFilter(quietSlotNames), true);
    Q_UNUSED(quiet);
    ui->setupUi(this);
    WizardIcons::assignTo(*this, *ui);

    // Filters are loaded once per process; a second window shares them.
    FilterRegistry &registry = FilterRegistry::instance();
    if (registry.count() == 0)
        registry.loadPlugins(resourceDir(QStringLiteral("plugins")));

    m_views = new WizardViews(ui->step1_graphicsView, ui->step2_graphicsView_1, ui->step2_graphicsView_2, this);
    m_step1 = new Step1Page(*ui, m_state, *m_views, *m_settings, this);
    m_step2 = new Step2Page(*ui, m_state, *m_views, this);
    m_step3 = new Step3Page(*ui, *m_settings, this);
    m_project = new ProjectActions(m_state, *m_step1, *m_step2, *m_step3, *m_settings, this);
    m_batch = new WizardBatch(m_settings.get(), ui->statusBar, this);
    m_help = new HelpCommands(ui->statusBar, this);

    m_steps = new WizardSteps(*ui, *m_step2, [this] { on_pbConvert_clicked(); }, this);
    connectSignals();
    disconnectProcessClick();
    WizardKeys::install(*ui, this);
    new RecentProjectsMenu(*ui->menuProject, *ui->menuRecent_Projects, *m_settings, *m_project);

    ui->pbBack->setEnabled(false);
    setWindowTitle(tr("Kelvarine"));

    // Alt opens a menu and presses a button alike: the titles keep clear of the
    // buttons' keys.
    Accelerators::assignTo(ui->menuBar->actions(), Accelerators::widgetKeys(this));
    // A fresh window is the job to compare with until something is loaded or saved.
    m_project->markSaved();
}

Tamsorel::~Tamsorel()
{
    delete ui;
}

void Tamsorel::connectSignals()
{
    connect(ui->treeWidget, &QTreeWidget::itemSelectionChanged, this, &Tamsorel::updateStep1View);
    connect(ui->step1_checkShowPreview, &QCheckBox::stateChanged, this, &Tamsorel::step1_enableShowPreview);
    connect(ui->step2_listPics, &QComboBox::currentTextChanged, this, &Tamsorel::step2listPicsIndexChanged);
    connect(ui->step2_tabWidget, &QTabWidget::currentChanged, this, &Tamsorel::step2TabWidgetCurrentChanged);
    connect(ui->comboWFormats, &QComboBox::currentTextChanged, this, &Tamsorel::on_comboWFormats_currentIndexChanged);
    connect(&m_batch->dialog(), &DlgProcess::stopProcess, this, &Tamsorel::stopProcess);
    connect(ui->pbProcess, &QPushButton::clicked, this, &Tamsorel::on_pbStep_Process_clicked);
    connect(m_step1, &Step1Page::picturesRemoved, m_step2, [this] { m_step2->refreshPreview(0); });

    connect(ui->actionStep1_Add_Pictures, &QAction::triggered, this, &Tamsorel::on_pbStep_AddPhotos_clicked1);
    connect(ui->actionStep2_Add_Filters, &QAction::triggered, this, &Tamsorel::on_pbStep_AddFilters_clicked1);
    connect(ui->actionStep3_Setup, &QAction::triggered, this, &Tamsorel::on_pbStep_Setup_clicked1);
    connect(ui->actionProcess_Pictures, &QAction::triggered, this, &Tamsorel::on_pbStep_Process_clicked);
    connect(ui->actionNew, &QAction::triggered, this, &Tamsorel::newProject);
    connect(ui->actionLoad_Project, &QAction::triggered, this, &Tamsorel::loadProject);
    connect(ui->actionSave_Project, &QAction::triggered, this, &Tamsorel::saveProject);
    connect(ui->actionSave_Project_As, &QAction::triggered, this, &Tamsorel::saveProjectAs);
    connect(ui->actionSave_Profile, &QAction::triggered, m_project, &ProjectActions::saveProfile);
    connect(ui->actionExit, &QAction::triggered, m_project, &ProjectActions::exit);
    connect(ui->actionHelp_Manual, &QAction::triggered, this, &Tamsorel::pbMainMenuHelp_clicked);
    connect(ui->actionHow_to_Resize_and_Rotate_Photos, &QAction::triggered, this, &Tamsorel::onTutorials1);
    connect(ui->actionPreferences, &QAction::triggered, this, &Tamsorel::showPreferences);
}

void Tamsorel::disconnectProcessClick()
{
    // The Process step button runs the batch when it gets checked (WizardSteps);
    // the click that checks it must not start a second one.
    disconnect(ui->pbStep_Process, nullptr, this, SLOT(on_pbStep_Process_clicked()));
}

void Tamsorel::closeEvent(QCloseEvent *event)
{
    if (m_project->settleUnsavedWork())
        event->accept();
    else
        event->ignore();
}

void Tamsorel::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_activateOnShow) {
        m_activateOnShow = false;
        raise();
        activateWindow();
    }
}

void Tamsorel::showPreferences()
{
    DlgPreferences dialog(*m_settings, this);
    dialog.exec();
}

int Tamsorel::currentStep() const
{
    return m_steps->current();
}

void Tamsorel::openPaths(const QStringList &paths)
{
    QStringList pictures;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isFile() && info.suffix().compare(QLatin1String("bps"), Qt::CaseInsensitive) == 0)
            m_project->loadProjectFile(info.absoluteFilePath());
        else
            pictures.append(info.absoluteFilePath());
    }
    m_step1->addPaths(pictures);
    // Started from a file manager, the window is where the user looks next.
    if (paths.isEmpty())
        return;
    if (isVisible()) {
        raise();
        activateWindow();
    } else {
        m_activateOnShow = true;
    }
}

// Step navigation --------------------------------------------------------------

void Tamsorel::on_pbStep_AddPhotos_clicked()
{
    m_steps->enter(0);
}

void Tamsorel::on_pbStep_AddFilters_clicked()
{
    m_steps->enter(1);
}

void Tamsorel::on_pbStep_Setup_clicked()
{
    m_steps->enter(2);
}

void Tamsorel::on_pbStep_AddPhotos_clicked1()
{
    m_steps->enter(0);
}

void Tamsorel::on_pbStep_AddFilters_clicked1()
{
    m_steps->enter(1);
}

void Tamsorel::on_pbStep_Setup_clicked1()
{
    m_steps->enter(2);
}

void Tamsorel::on_pbNext_clicked()
{
    m_steps->next();
}

void Tamsorel::on_pbBack_clicked()
{
    m_steps->back();
}

// Processing -------------------------------------------------------------------

void Tamsorel::on_pbStep_Process_clicked()
{
    // While the batch runs, Process is the step shown as current; afterwards the
    // step the user was on.
    m_steps->runProcess();
}

void Tamsorel::on_pbConvert_clicked()
{
    if (m_step3->checkBeforeProcessing(int(m_state.pictures.size())))
        startProcessing();
}

ProjectJob Tamsorel::conversionJob() const
{
    return m_project->currentJob(false);
}

void Tamsorel::startProcessing()
{
    m_batch->run(m_state.pictures, conversionJob());
}

void Tamsorel::errorMessage(const QString &text)
{
    m_batch->driver().errorMessage(text);
}

void Tamsorel::stopProcess()
{
    m_batch->driver().stopProcess();
}

// Step 1 -------------------------------------------------------------------------

void Tamsorel::on_treeWidget_itemDoubleClicked(QTreeWidgetItem *item, int)
{
    m_step1->openPicture(item);
}

void Tamsorel::on_pbStep1_RemoveAll_clicked()
{
    // One picture is quickly added again; a whole collection is not.
    const int count = int(m_state.pictures.size());
    if (count > 1
        && QMessageBox::question(this, tr("Remove All"), tr("Remove all %1 pictures from the list?").arg(count),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               != QMessageBox::Yes)
        return;
    m_step1->removeAll();
}

void Tamsorel::on_pbStep1_Remove_clicked()
{
    m_step1->removeSelected();
}

void Tamsorel::on_pbStep1_AddFolder_clicked()
{
    m_step1->addFolder();
}

void Tamsorel::on_pbStep1_AddPhotos_clicked()
{
    m_step1->addPhotos();
}

void Tamsorel::step1_enableShowPreview()
{
    m_step1->showPreviewChanged();
}

void Tamsorel::updateStep1View()
{
    m_step1->updateView();
}

void Tamsorel::on_step1_pbZoomOut_clicked()
{
    m_step1->zoomOut();
}

void Tamsorel::on_step1_pbZoomIn_clicked()
{
    m_step1->zoomIn();
}

void Tamsorel::on_step1_pbActual_clicked()
{
    m_step1->actualSize();
}

void Tamsorel::on_step1_pbFit_clicked()
{
    m_step1->fit();
}

// Step 2 -------------------------------------------------------------------------

void Tamsorel::on_step2_cbPreset_currentIndexChanged(int row)
{
    m_step2->presetChanged(row);
}

void Tamsorel::on_step2_pbCustom_clicked()
{
    m_step2->customTemplate();
}

void Tamsorel::on_pbStep2_down_clicked()
{
    m_step2->moveDown();
}

void Tamsorel::on_pbStep2_up_clicked()
{
    m_step2->moveUp();
}

void Tamsorel::on_pbStep2_Remove_clicked()
{
    m_step2->removeFilter();
}

void Tamsorel::on_pbStep2_EditFilter_clicked()
{
    m_step2->editFilter();
}

void Tamsorel::on_pbStep2_AddFilter_clicked()
{
    m_step2->addFilter();
}

void Tamsorel::on_step2_listPics_currentIndexChanged(int index)
{
    m_step2->picsIndexChanged(index);
}

void Tamsorel::step2listPicsIndexChanged(const QString &path)
{
    m_step2->picsTextChanged(path);
}

void Tamsorel::on_step2_preview_next_clicked()
{
    m_step2->nextPicture();
}

void Tamsorel::on_step2_preview_prev_clicked()
{
    m_step2->previousPicture();
}

void Tamsorel::on_step2_pbSwitchView_clicked()
{
    m_step2->switchView();
}

void Tamsorel::step2TabWidgetCurrentChanged(int index)
{
    m_step2->tabChanged(index);
}

void Tamsorel::on_step2_bpZoomOut_clicked()
{
    m_step2->zoomOut();
}

void Tamsorel::on_step2_bpZoomIn_clicked()
{
    m_step2->zoomIn();
}

void Tamsorel::on_step2_bpActual_clicked()
{
    m_step2->actualSize();
}

void Tamsorel::on_step2_bpFit_clicked()
{
    m_step2->fit();
}

void Tamsorel::updateFilenamePreview(const QString &)
{
    m_step2->updateFilenamePreview();
}

void Tamsorel::updateFilenamePreview(int)
{
    m_step2->updateFilenamePreview();
}

void Tamsorel::updateModifiedViewFromThread(const QPixmap &image)
{
    m_step2->displayModified(image);
}

// Step 3 -------------------------------------------------------------------------

void Tamsorel::on_comboWFormats_currentIndexChanged(const QString &formatStr)
{
    m_step3->formatChanged(formatStr);
}

void Tamsorel::on_step3_cb_useSourceFolder_clicked(bool checked)
{
    m_step3->useSourceFolderClicked(checked);
}

void Tamsorel::on_step3_pb_selectOutput_clicked()
{
    m_step3->selectOutput();
}

// Views --------------------------------------------------------------------------

void Tamsorel::loading(ImageView *view)
{
    m_views->showLoading(*view);
}

void Tamsorel::displayImageFromThread(const QPixmap &image, ImageView *view)
{
    m_views->displayImage(image, view);
}

void Tamsorel::testThread()
{
}

// Projects -----------------------------------------------------------------------

void Tamsorel::newProject()
{
    m_project->newProject();
}

void Tamsorel::loadProject()
{
    m_project->loadProject();
}

void Tamsorel::applyParamFile(const _ProjectFile &project, bool withPictures)
{
    m_project->applyParamFile(project, withPictures);
}

void Tamsorel::saveProject()
{
    m_project->saveProject();
}

bool Tamsorel::writeParamFile(const QString &path, bool isProject)
{
    return m_project->writeParamFile(path, isProject);
}

void Tamsorel::saveProjectAs()
{
    m_project->saveProjectAs();
}

// Help ---------------------------------------------------------------------------

void Tamsorel::on_pbHelp_clicked()
{
    m_help->openPage(HelpCommands::pageForStep(m_steps->current()));
}

void Tamsorel::onTutorials1()
{
    m_help->openPage(HelpCommands::tutorialPage());
}

void Tamsorel::pbMainMenuHelp_clicked()
{
    m_help->openPage(HelpCommands::introductionPage());
}

void Tamsorel::on_actionAuto_Update_triggered()
{
    m_help->startUpdater(QStringLiteral("/configure"));
}

void Tamsorel::on_actionCheck_for_New_Version_triggered()
{
    m_help->startUpdater(QStringLiteral("/checknow"));
}

void Tamsorel::on_actionAbout_triggered()
{
    m_help->showAbout();
}
