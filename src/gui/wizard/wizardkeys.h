#ifndef WIZARDKEYS_H
#define WIZARDKEYS_H

// The wizard's keyboard shortcuts: the platform's standard keys for the Project
// menu, F1 for the help of the current step, Ctrl+PgDown/PgUp and Alt+Right/Left
// for Next and Back, Delete in the Step 1 picture list. A shortcut presses the
// button or triggers the action it stands for, so the keyboard decides nothing
// a click would not.
//
// Threads: GUI thread only.

class QWidget;

namespace Ui {
class TamsorelClass;
}

namespace WizardKeys {

void install(Ui::TamsorelClass &ui, QWidget *window);

} // namespace WizardKeys

#endif
