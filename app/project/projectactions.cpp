#include "projectactions.h"

#include <QMainWindow>

#include "step1page.h"
#include "step2page.h"
#include "step3page.h"
#include "ui_tamsorel.h"
#include "wizardstate.h"

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

void ProjectActions::newProject()
{
}

void ProjectActions::loadProject()
{
}

bool ProjectActions::loadProjectFile(const QString &)
{
    return false;
}

void ProjectActions::saveProject()
{
}

void ProjectActions::saveProjectAs()
{
}

void ProjectActions::saveProfile()
{
}

void ProjectActions::exit()
{
    m_window->close();
}

void ProjectActions::applyParamFile(const _ProjectFile &, bool)
{
}

bool ProjectActions::writeParamFile(const QString &, bool)
{
    return false;
}
