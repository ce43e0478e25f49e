#ifndef WIZARDICONS_H
#define WIZARDICONS_H

// The wizard's pictures: the program's icon, the step buttons' icons cut from one
// strip, and the zoom buttons' icons shared by Step 1 and Step 2. A missing
// resource leaves the buttons with their text alone.
//
// Threads: GUI thread only.

class QMainWindow;

namespace Ui {
class TamsorelClass;
}

namespace WizardIcons {

void assignTo(QMainWindow &window, Ui::TamsorelClass &ui);

} // namespace WizardIcons

#endif
