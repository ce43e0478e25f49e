#include "gui/wizard/step2names.h"

#include <QComboBox>
#include <QLineEdit>

#include "engine/naming/renameopter.h"
#include "gui/naming/dlgrename.h"
#include "gui/wizard/wizardstate.h"
#include "ui_tamsorel.h"

namespace {

// Rows of the preset box.
enum PresetRow { KeepName = 0, FolderName = 1, PictureDate = 2, CustomDefined = 3 };

} // namespace

Step2Names::Step2Names(Ui::TamsorelClass &ui, WizardState &state, QWidget *window)
    : m_ui(ui)
    , m_state(state)
    , m_window(window)
{
}

QString Step2Names::presetFormat(int row)
{
    switch (row) {
    case KeepName:
        return RenameOpter::defaultFormat();
    case FolderName:
        return QStringLiteral("[FolderName]");
    case PictureDate:
        return QStringLiteral("[Date_0_0_0_0]");
    default:
        return QString();
    }
}

QString Step2Names::namingTemplate() const
{
    return m_state.formateStr;
}

void Step2Names::setNaming(int presetRow, const QString &formateStr, const QString &customFormateStr)
{
    m_presetReaction = false;
    // A row beyond the box (a damaged project) is shown as the user's own template.
    m_ui.step2_cbPreset->setCurrentIndex(presetRow >= KeepName && presetRow <= CustomDefined ? presetRow
                                                                                             : CustomDefined);
    m_state.formateStr = formateStr;
    m_state.customFormateStr = customFormateStr;
    m_presetReaction = true;
}

int Step2Names::presetRow() const { return m_ui.step2_cbPreset->currentIndex(); }

void Step2Names::presetChanged(int row)
{
    if (!m_presetReaction)
        return;
    if (row == CustomDefined) {
        m_state.formateStr = m_state.customFormateStr;
        openCustomDialog();
        return;
    }
    const QString format = presetFormat(row);
    if (format.isEmpty())
        return;
    m_state.formateStr = format;
    updateFilenamePreview();
}

void Step2Names::customTemplate()
{
    m_presetReaction = false;
    openCustomDialog();
    m_presetReaction = true;
}

void Step2Names::openCustomDialog()
{
    DlgRename dialog(m_window);
    dialog.loadFormat(m_state.customFormateStr);
    dialog.setSample(m_ui.step2_listPics->currentText(), m_ui.step2_listPics->currentIndex());
    dialog.setJobPictures(m_state.pictures);
    if (dialog.exec() == QDialog::Accepted) {
        m_state.customFormateStr = dialog.format();
        m_state.formateStr = m_state.customFormateStr;
        if (!m_presetReaction)
            m_ui.step2_cbPreset->setCurrentIndex(CustomDefined);
    }
    updateFilenamePreview();
}

void Step2Names::updateFilenamePreview()
{
    m_ui.step2_txtPreview->setText(RenameOpter(m_state.formateStr)
                                       .newName(m_ui.step2_listPics->currentText(),
                                                qMax(0, m_ui.step2_listPics->currentIndex()))
                                       .valueOr(QString()));
}
