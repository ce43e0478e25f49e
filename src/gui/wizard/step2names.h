#ifndef STEP2NAMES_H
#define STEP2NAMES_H

// Step 2's naming group: the preset box, the user's own template through the
// naming dialog, and the file name the template gives the picture shown. Keeps
// the job's templates in the wizard's state.
//
// Threads: GUI thread only.

#include <QString>

class QWidget;
struct WizardState;

namespace Ui {
class TamsorelClass;
}

class Step2Names
{
public:
    Step2Names(Ui::TamsorelClass &ui, WizardState &state, QWidget *window);

    QString namingTemplate() const;
    // The preset box and both templates at once, as a project or New sets them,
    // without acting as the user's choice of a preset.
    void setNaming(int presetRow, const QString &formateStr, const QString &customFormateStr);
    int presetRow() const;
    // The template of a preset row (Keep, Folder's name, Picture's date); empty for others.
    static QString presetFormat(int row);

    void presetChanged(int row);
    void customTemplate();
    void updateFilenamePreview();

private:
    void openCustomDialog();

    Ui::TamsorelClass &m_ui;
    WizardState &m_state;
    QWidget *m_window;
    bool m_presetReaction = true;
};

#endif
