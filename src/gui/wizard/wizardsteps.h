#ifndef WIZARDSTEPS_H
#define WIZARDSTEPS_H

// Which step the wizard shows, kept in line with the step buttons: exactly one
// of them is checked, and the page, Next and Back follow it. The step follows a
// button's check mark however it changes (a click, the keyboard, the toggle
// action of an assistive tool); unchecking the current step's button leaves it
// checked. Process is checked only while a batch runs.
//
// Threads: GUI thread only.

#include <QObject>

#include <functional>

class Step2Page;

namespace Ui {
class TamsorelClass;
}

class WizardSteps : public QObject
{
    Q_OBJECT

public:
    // `process` runs a batch (with its checks); the Process button's check mark calls it.
    WizardSteps(Ui::TamsorelClass &ui, Step2Page &step2, std::function<void()> process, QObject *parent);

    int current() const { return m_current; }
    // Checks the step's button and shows the step; nothing more when it is shown already.
    void enter(int step);
    void next();
    void back();
    // Runs `process` with Process shown as the current step, then the step again.
    void runProcess();

private:
    void toggled(int step, bool checked);
    void setChecks(int checkedButton);

    Ui::TamsorelClass &m_ui;
    Step2Page &m_step2;
    std::function<void()> m_process;
    int m_current = 0;
    bool m_settingChecks = false;  // the check marks are being set from here
};

#endif
