#include "gui/wizard/step3page.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "engine/picture/formatcatalog.h"
#include "engine/project/projectjob.h"
#include "gui/wizard/appsettings.h"
#include "ui_tamsorel.h"

namespace {

// Parentless, as the checks have always asked; titled "Warning".
QMessageBox::StandardButton warn(const QString &text,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok)
{
    QMessageBox box(QMessageBox::Warning, Step3Page::tr("Warning"), text, buttons);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

Step3Page::Step3Page(Ui::TamsorelClass &ui, AppSettings &settings, QWidget *window)
    : QObject(window)
    , m_ui(ui)
    , m_settings(settings)
    , m_window(window)
{
    m_ui.step3_cb_setSame->hide();
    m_ui.step3_setting->hide();

    // However the box gets its check mark (a click, a project, New), the folder
    // controls follow it.
    connect(m_ui.step3_cb_useSourceFolder, &QCheckBox::toggled, this, &Step3Page::updateFolderEnabled);

    m_ui.comboWFormats->addItems(FormatCatalog::instance().comboEntries());
    m_ui.comboWFormats->setCurrentIndex(0);
    formatChanged(m_ui.comboWFormats->currentText());

    ProjectJob fresh;
    fillDefaults(fresh, m_settings.saveDirectory());
    showJob(fresh);
    formatChanged(m_ui.comboWFormats->currentText());
}

void Step3Page::fillDefaults(ProjectJob &job, const QString &folder) const
{
    const OutputDefaults defaults = m_settings.outputDefaults();
    job.options.outputFolder = defaults.folder.isEmpty() ? folder : defaults.folder;
    job.formatRow = 0;
    for (int row = 0; row < m_ui.comboWFormats->count(); ++row) {
        if (FormatCatalog::formatName(m_ui.comboWFormats->itemText(row)).compare(defaults.format, Qt::CaseInsensitive)
            == 0) {
            job.formatRow = row;
            break;
        }
    }
    job.options.writeFormat = FormatCatalog::formatName(m_ui.comboWFormats->itemText(job.formatRow));
    OutputOptions &output = job.options.output;
    output.quality = defaults.quality;
    output.autoOrient = defaults.autoOrient;
    output.keepDate = defaults.keepDate;
    output.stripGps = defaults.stripGps;
}

void Step3Page::updateFolderEnabled()
{
    const bool own = !m_ui.step3_cb_useSourceFolder->isChecked();
    m_ui.step3_outputFolder->setEnabled(own);
    m_ui.step3_pb_selectOutput->setEnabled(own);
}

void Step3Page::useSourceFolderClicked(bool)
{
    updateFolderEnabled();
}

void Step3Page::selectOutput()
{
    const QString folder = QFileDialog::getExistingDirectory(m_window, tr("Open Directory"), QDir::homePath(),
                                                             QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (folder.isEmpty())
        return;
    m_ui.step3_outputFolder->setText(folder);
    m_settings.setSaveDirectory(m_ui.step3_outputFolder->text());
}

QString Step3Page::writeFormat() const
{
    return FormatCatalog::formatName(m_ui.comboWFormats->currentText());
}

void Step3Page::formatChanged(const QString &entry)
{
    m_ui.step3_cb_singleDoc->setChecked(false);
    m_ui.step3_cb_singleDoc->setEnabled(FormatCatalog::canHoldPages(FormatCatalog::formatName(entry)));
}

bool Step3Page::checkBeforeProcessing(int pictureCount)
{
    if (pictureCount == 0) {
        warn(tr("No images to convert!"));
        return false;
    }
    if (m_ui.step3_cb_useSourceFolder->isChecked())
        return true;
    const QString folder = m_ui.step3_outputFolder->text();
    // Blanks alone would name a folder "  " in whatever folder the program runs in.
    if (folder.trimmed().isEmpty()) {
        warn(tr("Set an output directory!"));
        return false;
    }
    if (QDir(folder).exists())
        return true;
    if (warn(tr("The output directory doesn't exists! Would you create it?"), QMessageBox::Ok | QMessageBox::Cancel)
        != QMessageBox::Ok)
        return false;
    if (!QDir().mkpath(folder)) {
        warn(tr("The directory cannot be created!"));
        return false;
    }
    m_settings.setSaveDirectory(folder);
    return true;
}

void Step3Page::fillJob(ProjectJob &job) const
{
    job.formatRow = m_ui.comboWFormats->currentIndex();
    job.openOutputFolder = m_ui.step3_cb_openOutputFolder->isChecked();
    ConversionJob &options = job.options;
    options.writeFormat = writeFormat();
    options.outputFolder = m_ui.step3_outputFolder->text();
    options.useSourceFolder = m_ui.step3_cb_useSourceFolder->isChecked();
    options.multiPage = m_ui.step3_cb_singleDoc->isChecked();
    options.deleteSource = m_ui.step3_cb_delSource->isChecked();
    options.output = outputOptions();
}

void Step3Page::showJob(const ProjectJob &job)
{
    const ConversionJob &options = job.options;
    m_ui.step3_cb_useSourceFolder->setChecked(options.useSourceFolder);
    m_ui.step3_outputFolder->setText(options.outputFolder);
    if (job.formatRow >= 0 && job.formatRow < m_ui.comboWFormats->count())
        m_ui.comboWFormats->setCurrentIndex(job.formatRow);
    // The format decides first whether it can hold pages at all.
    m_ui.step3_cb_singleDoc->setChecked(options.multiPage && m_ui.step3_cb_singleDoc->isEnabled());
    m_ui.step3_cb_openOutputFolder->setChecked(job.openOutputFolder);
    m_ui.step3_cb_delSource->setChecked(options.deleteSource);
    setOutputOptions(options.output);
}

OutputOptions Step3Page::outputOptions() const
{
    OutputOptions options;
    options.quality = m_ui.step3_sb_quality->value();
    options.stripMetadata = m_ui.step3_cb_stripMetadata->isChecked();
    options.stripGps = m_ui.step3_cb_stripGps->isChecked();
    options.autoOrient = m_ui.step3_cb_autoOrient->isChecked();
    options.keepDate = m_ui.step3_cb_keepDate->isChecked();
    options.allowDocuments = m_ui.step3_cb_allowDocuments->isChecked();
    return options;
}

void Step3Page::setOutputOptions(const OutputOptions &options)
{
    m_ui.step3_sb_quality->setValue(OutputOptions::validQuality(options.quality) ? options.quality : 0);
    m_ui.step3_cb_stripMetadata->setChecked(options.stripMetadata);
    m_ui.step3_cb_stripGps->setChecked(options.stripGps);
    m_ui.step3_cb_autoOrient->setChecked(options.autoOrient);
    m_ui.step3_cb_keepDate->setChecked(options.keepDate);
    m_ui.step3_cb_allowDocuments->setChecked(options.allowDocuments);
}
