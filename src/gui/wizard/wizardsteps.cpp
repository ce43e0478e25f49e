#include "gui/wizard/wizardsteps.h"

#include <QPushButton>
#include <QScopedValueRollback>
#include <QStackedWidget>

#include "gui/wizard/step2page.h"
#include "ui_tamsorel.h"

namespace {

constexpr int processButton = 3;

} // namespace

WizardSteps::WizardSteps(Ui::TamsorelClass &ui, Step2Page &step2, std::function<void()> process, QObject *parent)
    : QObject(parent)
    , m_ui(ui)
    , m_step2(step2)
    , m_process(std::move(process))
{
    QPushButton *const buttons[] = {m_ui.pbStep_AddPhotos, m_ui.pbStep_AddFilters, m_ui.pbStep_Setup};
    for (int step = 0; step < 3; ++step)
        connect(buttons[step], &QAbstractButton::toggled, this, [this, step](bool checked) { toggled(step, checked); });
    connect(m_ui.pbStep_Process, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked && !m_settingChecks)
            runProcess();
    });
}

void WizardSteps::setChecks(int checkedButton)
{
    const QScopedValueRollback<bool> guard(m_settingChecks, true);
    QPushButton *const buttons[] = {m_ui.pbStep_AddPhotos, m_ui.pbStep_AddFilters, m_ui.pbStep_Setup,
                                    m_ui.pbStep_Process};
    for (int i = 0; i < 4; ++i)
        buttons[i]->setChecked(i == checkedButton);
}

void WizardSteps::toggled(int step, bool checked)
{
    if (m_settingChecks)
        return;
    if (checked)
        enter(step);
    else if (step == m_current)
        setChecks(step);
}

void WizardSteps::enter(int step)
{
    setChecks(step);
    if (step == m_current)
        return;
    m_ui.stackedWidget->setCurrentIndex(step);
    m_current = step;
    m_ui.pbNext->setEnabled(step < 2);
    m_ui.pbBack->setEnabled(step > 0);
    if (step == 1) {
        m_step2.updateFilenamePreview();
        m_step2.refreshPreview(2);
    }
}

void WizardSteps::next()
{
    if (m_current < 2)
        enter(m_current + 1);
}

void WizardSteps::back()
{
    if (m_current > 0)
        enter(m_current - 1);
}

void WizardSteps::runProcess()
{
    setChecks(processButton);
    m_process();
    setChecks(m_current);
}
