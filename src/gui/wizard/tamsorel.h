#ifndef TAMSOREL_H
#define TAMSOREL_H

// The wizard's main window: the four steps on one stack, the step buttons,
// Back/Next/Process, the menus and the status bar. It holds no step's logic:
// each slot is one call into the object that owns that step (Step1Page,
// Step2Page, Step3Page, ProjectActions, the batch and the help commands).
//
// Threads: GUI thread only; pictures decoded on workers arrive as queued calls.

#include <QMainWindow>
#include <QPixmap>
#include <QStringList>

#include <memory>

#include "engine/project/projectfile.h"
#include "engine/project/projectjob.h"
#include "gui/wizard/wizardstate.h"

class AppSettings;
class QCloseEvent;
class QShowEvent;
class HelpCommands;
class ProjectActions;
class QPushButton;
class QTreeWidgetItem;
class Step1Page;
class Step2Page;
class Step3Page;
class WizardBatch;
class WizardSteps;
class WizardViews;
struct ImageView;

namespace Ui {
class TamsorelClass;
}

class Tamsorel : public QMainWindow
{
    Q_OBJECT

public:
    explicit Tamsorel(QWidget *parent = nullptr);
    ~Tamsorel() override;

    // Files, folders and project files given on the command line (or by a file
    // manager's "Open with"): projects are loaded, pictures and folders added.
    void openPaths(const QStringList &paths);

    int currentStep() const;
    // What Process would hand the batch now, besides the pictures.
    ProjectJob conversionJob() const;
    WizardState &state() { return m_state; }
    Ui::TamsorelClass &form() { return *ui; }
    Step1Page &step1() { return *m_step1; }
    Step2Page &step2() { return *m_step2; }
    Step3Page &step3() { return *m_step3; }
    ProjectActions &projectActions() { return *m_project; }
    WizardBatch &batch() { return *m_batch; }
    WizardViews &views() { return *m_views; }
    HelpCommands &help() { return *m_help; }

protected:
    // Unsaved work is asked about first; Cancel keeps the window open.
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private slots:
    void on_pbHelp_clicked();
    void on_actionAuto_Update_triggered();
    void on_treeWidget_itemDoubleClicked(QTreeWidgetItem *item, int column);
    void onTutorials1();
    void pbMainMenuHelp_clicked();
    void newProject();
    void loadProject();
    void applyParamFile(const _ProjectFile &project, bool withPictures);
    void saveProject();
    bool writeParamFile(const QString &path, bool isProject);
    void saveProjectAs();
    void on_actionCheck_for_New_Version_triggered();
    void on_actionAbout_triggered();
    void on_pbNext_clicked();
    void on_pbBack_clicked();
    void on_step2_cbPreset_currentIndexChanged(int row);
    void on_step2_pbCustom_clicked();
    void on_comboWFormats_currentIndexChanged(const QString &formatStr);
    void on_step3_cb_useSourceFolder_clicked(bool checked);
    void on_step3_pb_selectOutput_clicked();
    void on_pbStep2_down_clicked();
    void on_pbStep2_up_clicked();
    void on_pbStep2_Remove_clicked();
    void on_pbStep2_EditFilter_clicked();
    void on_step2_listPics_currentIndexChanged(int index);
    void on_step2_preview_next_clicked();
    void on_step2_preview_prev_clicked();
    void on_step2_pbSwitchView_clicked();
    void on_step2_bpZoomOut_clicked();
    void on_step2_bpZoomIn_clicked();
    void on_step2_bpActual_clicked();
    void on_step2_bpFit_clicked();
    void on_step1_pbZoomOut_clicked();
    void on_step1_pbZoomIn_clicked();
    void on_step1_pbActual_clicked();
    void on_pbStep2_AddFilter_clicked();
    void step2TabWidgetCurrentChanged(int index);
    void on_pbStep_Process_clicked();
    void on_pbStep_Setup_clicked();
    void on_pbStep_AddFilters_clicked();
    void on_pbStep_AddPhotos_clicked();
    void on_pbStep_Setup_clicked1();
    void on_pbStep_AddFilters_clicked1();
    void on_pbStep_AddPhotos_clicked1();
    void on_pbStep1_RemoveAll_clicked();
    void on_pbStep1_Remove_clicked();
    void on_pbStep1_AddFolder_clicked();
    void on_pbStep1_AddPhotos_clicked();
    void step1_enableShowPreview();
    void updateStep1View();
    void on_step1_pbFit_clicked();
    void step2listPicsIndexChanged(const QString &path);
    void on_pbConvert_clicked();
    void errorMessage(const QString &text);
    void stopProcess();
    void loading(ImageView *view);
    void updateFilenamePreview(const QString &);
    void updateFilenamePreview(int);
    void displayImageFromThread(const QPixmap &image, ImageView *view);
    void updateModifiedViewFromThread(const QPixmap &image);
    void testThread();

private:
    void connectSignals();
    void disconnectProcessClick();
    void showPreferences();
    void startProcessing();

    Ui::TamsorelClass *ui;
    WizardState m_state;
    bool m_activateOnShow = false;
    std::unique_ptr<AppSettings> m_settings;
    WizardViews *m_views = nullptr;
    WizardBatch *m_batch = nullptr;
    Step1Page *m_step1 = nullptr;
    Step2Page *m_step2 = nullptr;
    Step3Page *m_step3 = nullptr;
    ProjectActions *m_project = nullptr;
    HelpCommands *m_help = nullptr;
    WizardSteps *m_steps = nullptr;
};

#endif
