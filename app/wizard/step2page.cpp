#include "step2page.h"

#include "ui_tamsorel.h"
#include "wizardstate.h"
#include "wizardviews.h"

Step2Page::Step2Page(Ui::TamsorelClass &ui, WizardState &state, WizardViews &views, QWidget *window)
    : QObject(window)
    , m_ui(ui)
    , m_state(state)
    , m_views(views)
    , m_window(window)
{
    m_ui.treeWidget_Filter->setColumnHidden(1, true);
    m_ui.step2_checkShowPreview->hide();
}

QList<ChainEntry> Step2Page::chain() const
{
    return {};
}

int Step2Page::filterCount() const
{
    return m_ui.treeWidget_Filter->topLevelItemCount();
}

QString Step2Page::namingTemplate() const
{
    return m_state.formateStr;
}

void Step2Page::refreshPreview(int)
{
}

void Step2Page::updateFilenamePreview()
{
}

void Step2Page::addFilter()
{
}

void Step2Page::editFilter()
{
}

void Step2Page::removeFilter()
{
}

void Step2Page::moveUp()
{
}

void Step2Page::moveDown()
{
}

void Step2Page::picsIndexChanged(int)
{
}

void Step2Page::picsTextChanged(const QString &)
{
}

void Step2Page::previousPicture()
{
}

void Step2Page::nextPicture()
{
}

void Step2Page::tabChanged(int)
{
}

void Step2Page::switchView()
{
}

void Step2Page::zoomIn()
{
}

void Step2Page::zoomOut()
{
}

void Step2Page::actualSize()
{
}

void Step2Page::fit()
{
}

void Step2Page::presetChanged(int)
{
}

void Step2Page::customTemplate()
{
}

void Step2Page::displayModified(const QPixmap &pixmap)
{
    m_views.displayModified(pixmap);
}
