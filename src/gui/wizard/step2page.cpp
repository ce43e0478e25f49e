#include "gui/wizard/step2page.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QGraphicsView>
#include <QHeaderView>
#include <QMainWindow>
#include <QStatusBar>

#include "gui/filters/dlgfilters.h"
#include "gui/filters/dlgfilterset.h"
#include "filterinterface.h"
#include "gui/views/imagepixmap.h"
#include "engine/picture/picturepipeline.h"
#include "engine/naming/renameopter.h"
#include "engine/runtime/resourcedir.h"
#include "ui_tamsorel.h"
#include "gui/wizard/wizardstate.h"
#include "gui/views/wizardviews.h"

namespace {

// Column 0 shows the filter; the name it is stored and looked up by rides along,
// so that what is shown may be translated.
constexpr int NameRole = Qt::UserRole;

// Column 1 (hidden) holds the parameter string; column 2 says it in words.
enum Column { NameColumn = 0, ParamsColumn = 1, SettingsColumn = 2 };

enum Tab { PreviewTab = 0, OriginalTab = 1 };

FilterInterface *installedFilter(const QString &name)
{
    const FilterRegistry &registry = FilterRegistry::instance();
    return registry.filterAt(registry.indexOfFilter(name));
}

} // namespace

Step2Page::Step2Page(Ui::TamsorelClass &ui, WizardState &state, WizardViews &views, QWidget *window)
    : QObject(window)
    , m_ui(ui)
    , m_state(state)
    , m_views(views)
    , m_window(window)
    , m_names(ui, state, window)
{
    QTreeWidget *list = m_ui.treeWidget_Filter;
    list->setColumnCount(3);
    list->headerItem()->setText(SettingsColumn, tr("Settings"));
    list->setColumnHidden(ParamsColumn, true);
    list->header()->setSectionResizeMode(NameColumn, QHeaderView::ResizeToContents);
    m_ui.step2_checkShowPreview->hide();
    buildContextMenu();
    picsIndexChanged(m_ui.step2_listPics->currentIndex());
    connect(list, &QTreeWidget::itemDoubleClicked, this, &Step2Page::editFilter);
    connect(m_ui.treeWidget, &QTreeWidget::currentItemChanged, this, [this] { m_step1ChoiceChanged = true; });
    // A fitted picture stays fitted when the window changes its size.
    m_ui.step2_graphicsView_1->installEventFilter(this);
    m_ui.step2_graphicsView_2->installEventFilter(this);
}

bool Step2Page::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && m_fitted
        && (watched == m_ui.step2_graphicsView_1 || watched == m_ui.step2_graphicsView_2)) {
        const QWidget *shown = m_ui.step2_tabWidget->currentIndex() == OriginalTab ? m_ui.step2_graphicsView_1
                                                                                   : m_ui.step2_graphicsView_2;
        // The view lays out its viewport after the filters have seen the event.
        if (watched == shown)
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (m_fitted)
                        fitPictures();
                },
                Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void Step2Page::buildContextMenu()
{
    QTreeWidget *list = m_ui.treeWidget_Filter;
    // Shortcuts work while the list has the focus, so the chain can be edited
    // from the keyboard alone.
    const auto addAction = [&](const QString &text, const QKeySequence &key, void (Step2Page::*slot)()) {
        auto *action = new QAction(text, list);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, slot);
        list->addAction(action);
    };
    const auto addSeparator = [&] {
        auto *separator = new QAction(list);
        separator->setSeparator(true);
        list->addAction(separator);
    };
    addAction(tr("&Edit"), QKeySequence(Qt::Key_F2), &Step2Page::editFilter);
    addSeparator();
    addAction(tr("&Add Filter"), QKeySequence(Qt::Key_Insert), &Step2Page::addFilter);
    addSeparator();
    addAction(tr("Remove &Selected"), QKeySequence::Delete, &Step2Page::removeFilter);
    addSeparator();
    addAction(tr("Move &Up"), QKeySequence(Qt::CTRL | Qt::Key_Up), &Step2Page::moveUp);
    addAction(tr("Move &Down"), QKeySequence(Qt::CTRL | Qt::Key_Down), &Step2Page::moveDown);
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
}

// The chain ---------------------------------------------------------------------

FilterEntry Step2Page::row(const QTreeWidgetItem *item) const
{
    return {item->data(0, NameRole).toString(), item->text(1)};
}

void Step2Page::setRow(QTreeWidgetItem *item, const FilterEntry &entry)
{
    item->setData(NameColumn, NameRole, entry.Name);
    item->setText(NameColumn, FilterRegistry::instance().displayNameOf(entry.Name));
    item->setText(ParamsColumn, entry.Params);
    const FilterInterface *filter = installedFilter(entry.Name);
    // A filter that is not installed cannot read its string: it is shown as stored.
    const QString settings = filter ? filter->summary(entry.Params) : entry.Params;
    item->setText(SettingsColumn, settings);
    const QString tip = filter ? settings : tr("This filter is not installed; the chain skips it.");
    for (int column : {NameColumn, SettingsColumn}) {
        QFont font = item->font(column);
        font.setItalic(!filter);
        item->setFont(column, font);
        item->setForeground(column, filter ? m_ui.treeWidget_Filter->palette().text()
                                           : m_ui.treeWidget_Filter->palette().placeholderText());
        item->setToolTip(column, tip);
    }
}

void Step2Page::appendRow(const FilterEntry &entry)
{
    auto *item = new QTreeWidgetItem(m_ui.treeWidget_Filter);
    setRow(item, entry);
}

QList<ChainEntry> Step2Page::chain() const
{
    QList<ChainEntry> entries;
    for (const FilterEntry &entry : chainRows()) {
        if (FilterInterface *filter = installedFilter(entry.Name))
            entries.append(ChainEntry{filter, entry.Params});
    }
    return entries;
}

QList<FilterEntry> Step2Page::chainRows() const
{
    QList<FilterEntry> rows;
    for (int i = 0; i < m_ui.treeWidget_Filter->topLevelItemCount(); ++i)
        rows.append(row(m_ui.treeWidget_Filter->topLevelItem(i)));
    return rows;
}

void Step2Page::setChainRows(const QList<FilterEntry> &rows)
{
    m_ui.treeWidget_Filter->clear();
    for (const FilterEntry &entry : rows)
        appendRow(entry);
    m_views.preview().stale = true;
}

int Step2Page::filterCount() const
{
    return m_ui.treeWidget_Filter->topLevelItemCount();
}

int Step2Page::firstSelectedRow() const
{
    for (int i = 0; i < m_ui.treeWidget_Filter->topLevelItemCount(); ++i) {
        if (m_ui.treeWidget_Filter->topLevelItem(i)->isSelected())
            return i;
    }
    return -1;
}

void Step2Page::chainChanged()
{
    m_views.preview().stale = true;
    refreshPreview(0);
}

void Step2Page::addFilter()
{
    // Without pictures the settings are shown on the sample that comes with the program.
    QString sample = m_ui.step2_listPics->currentText();
    if (!QFileInfo(sample).isFile())
        sample = resourceDir(QStringLiteral("res")) + QStringLiteral("/sample.jpg");

    const FilterRegistry &registry = FilterRegistry::instance();
    DlgFilters chooser(m_window);
    chooser.setFilters(registry.categoryPaths(), registry.displayDescriptions(), registry.displayCategoryPaths());
    if (chooser.exec() != QDialog::Accepted)
        return;
    const QString name = chooser.selectedFilter();
    FilterInterface *filter = installedFilter(name);
    if (!filter)
        return;

    DlgFilterSet settings(m_window);
    settings.setFilter(filter);
    settings.setParams(QString());
    settings.setImage(sample, m_ui.step3_cb_allowDocuments->isChecked());
    if (settings.exec() != QDialog::Accepted)
        return;
    appendRow({name, settings.params()});
    m_ui.treeWidget_Filter->setCurrentItem(m_ui.treeWidget_Filter->topLevelItem(filterCount() - 1));
    chainChanged();
}

void Step2Page::editFilter()
{
    const int index = firstSelectedRow();
    if (index < 0)
        return;
    QTreeWidgetItem *item = m_ui.treeWidget_Filter->topLevelItem(index);
    const FilterEntry entry = row(item);
    FilterInterface *filter = installedFilter(entry.Name);
    if (!filter) {
        showStatus(tr("The filter \"%1\" is not installed; it cannot be edited.").arg(entry.Name));
        return;
    }
    DlgFilterSet settings(m_window);
    settings.setFilter(filter);
    settings.setParams(entry.Params);
    settings.setImage(m_ui.step2_listPics->currentText(), m_ui.step3_cb_allowDocuments->isChecked());
    if (settings.exec() != QDialog::Accepted)
        return;
    setRow(item, {entry.Name, settings.params()});
    chainChanged();
}

void Step2Page::removeFilter()
{
    // One row per action: the last selected one.
    for (int i = m_ui.treeWidget_Filter->topLevelItemCount() - 1; i >= 0; --i) {
        if (m_ui.treeWidget_Filter->topLevelItem(i)->isSelected()) {
            delete m_ui.treeWidget_Filter->takeTopLevelItem(i);
            chainChanged();
            return;
        }
    }
}

void Step2Page::moveRow(int from, int to)
{
    QTreeWidget *list = m_ui.treeWidget_Filter;
    QTreeWidgetItem *source = list->topLevelItem(from);
    QTreeWidgetItem *target = list->topLevelItem(to);
    const FilterEntry moving = row(source);
    setRow(source, row(target));
    setRow(target, moving);
    list->clearSelection();
    list->setCurrentItem(target);
    target->setSelected(true);
    chainChanged();
}

void Step2Page::moveUp()
{
    const int index = firstSelectedRow();
    if (index > 0)
        moveRow(index, index - 1);
}

void Step2Page::moveDown()
{
    const int index = firstSelectedRow();
    if (index >= 0 && index < filterCount() - 1)
        moveRow(index, index + 1);
}

// The preview ---------------------------------------------------------------------

void Step2Page::picsIndexChanged(int index)
{
    // Without pictures there is nowhere to go.
    m_ui.step2_preview_prev->setEnabled(index >= 0);
    m_ui.step2_preview_next->setEnabled(index >= 0);
    if (index == 0)
        m_ui.step2_preview_prev->setEnabled(false);
    else if (index == m_ui.step2_listPics->count() - 1)
        m_ui.step2_preview_next->setEnabled(false);
}

bool Step2Page::refreshesOnPictureChange() const
{
    return m_state.viewsEnabled && m_ui.pbStep_AddFilters->isChecked();
}

void Step2Page::picsTextChanged(const QString &)
{
    m_views.original().stale = true;
    m_views.preview().stale = true;
    m_fitted = true;  // a new picture arrives fitted
    if (refreshesOnPictureChange()) {
        updateFilenamePreview();
        refreshPreview(0);
    }
}

void Step2Page::previousPicture()
{
    const int index = m_ui.step2_listPics->currentIndex();
    if (index > 0)
        m_ui.step2_listPics->setCurrentIndex(index - 1);
}

void Step2Page::nextPicture()
{
    const int index = m_ui.step2_listPics->currentIndex();
    if (index < m_ui.step2_listPics->count() - 1)
        m_ui.step2_listPics->setCurrentIndex(index + 1);
}

void Step2Page::refreshPreview(int mode)
{
    // A hidden page only notes what is stale: a view that is not laid out would
    // fit the picture to a size it does not have, and entering the step renders.
    if (m_ui.stackedWidget->currentWidget() != m_ui.page_step2)
        return;
    // Entering the step shows the picture chosen in Step 1; that change of the
    // picture refreshes the views itself.
    if (mode == 2 && followStep1Selection() && refreshesOnPictureChange())
        return;
    const QString path = m_ui.step2_listPics->currentText();
    ImageView &original = m_views.original();
    ImageView &preview = m_views.preview();

    if (m_ui.step2_tabWidget->currentIndex() == OriginalTab) {
        if (path != m_views.loader().requestPath())
            original.stale = true;
        if (original.stale)
            m_views.requestPicture(path, original, m_ui.step3_cb_allowDocuments->isChecked());
        else if (mode == 1)
            original.view->setTransform(preview.view->transform());
        return;
    }

    if (path != m_modifiedRequestPath)
        preview.stale = true;
    if (preview.stale) {
        if (QFileInfo(path).isFile()) {
            m_views.showLoading(preview);
            m_modifiedRequestPath = path;
            renderModified(path);
        } else {
            m_preview.cancel();
            m_modifiedRequestPath.clear();
            preview.clear();
        }
    } else if (mode == 1) {
        preview.view->setTransform(original.view->transform());
    }
}

bool Step2Page::followStep1Selection()
{
    // Only a new choice in Step 1 moves Step 2's picture: one picked in Step 2
    // stays while Step 1's choice has not changed.
    if (!m_step1ChoiceChanged)
        return false;
    m_step1ChoiceChanged = false;
    QTreeWidgetItem *current = m_ui.treeWidget->currentItem();
    const int row = current && current->isSelected() ? m_ui.treeWidget->indexOfTopLevelItem(current) : -1;
    if (row < 0 || row >= m_state.pictures.size())
        return false;
    const QString path = m_state.pictures.at(row).path;
    const int index = m_ui.step2_listPics->findText(path, Qt::MatchExactly);
    if (index < 0 || index == m_ui.step2_listPics->currentIndex())
        return false;
    m_ui.step2_listPics->setCurrentIndex(index);
    return true;
}

void Step2Page::renderModified(const QString &path)
{
    // A render of an older request, also one of the same picture with the chain
    // as it was, never replaces a newer one; the library abandons its filter at
    // its next progress report, so a slow chain on a large photograph does not
    // hold the worker.
    m_preview.cancel();
    m_preview.start(
        this,
        [path, chain = this->chain(), allowDocuments = m_ui.step3_cb_allowDocuments->isChecked()](const CancelToken &token) {
            try {
                // A request overtaken before or while it ran ends here; its result is dropped.
                if (token.isCancelled())
                    return QImage();
                const Result<Magick::Image> picture = PicturePipeline::render(path, chain, allowDocuments, &token);
                return token.isCancelled() || !picture ? QImage() : imageToImage(picture.value());
            } catch (const std::exception &) {
                return QImage();  // shown as an empty view
            }
        },
        [this](const QImage &image) { displayModified(QPixmap::fromImage(image)); });
}

void Step2Page::displayModified(const QPixmap &pixmap)
{
    m_views.displayModified(pixmap);
}

void Step2Page::tabChanged(int)
{
    refreshPreview(1);
}

void Step2Page::switchView()
{
    m_ui.step2_tabWidget->setCurrentIndex(m_ui.step2_tabWidget->currentIndex() == PreviewTab ? OriginalTab : PreviewTab);
}

void Step2Page::zoomIn()
{
    m_fitted = false;
    m_views.original().zoom(ImageView::zoomInFactor);
    m_views.preview().zoom(ImageView::zoomInFactor);
}

void Step2Page::zoomOut()
{
    m_fitted = false;
    m_views.original().zoom(ImageView::zoomOutFactor);
    m_views.preview().zoom(ImageView::zoomOutFactor);
}

void Step2Page::actualSize()
{
    m_fitted = false;
    m_views.original().actualSize();
    m_views.preview().actualSize();
}

void Step2Page::fit()
{
    m_fitted = true;
    fitPictures();
}

void Step2Page::fitPictures()
{
    ImageView &original = m_views.original();
    ImageView &preview = m_views.preview();
    ImageView &shown = m_ui.step2_tabWidget->currentIndex() == OriginalTab ? original : preview;
    ImageView &hidden = &shown == &original ? preview : original;
    if (shown.hasPicture())
        ImageView::fitTogether(shown, hidden);
    else if (hidden.hasPicture())
        ImageView::fitTogether(hidden, shown);
}

void Step2Page::showStatus(const QString &text)
{
    if (auto *window = qobject_cast<QMainWindow *>(m_window))
        window->statusBar()->showMessage(text, 5000);
}
