#include "gui/filters/dlgfilters.h"
#include "ui_dlgfilters.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

// Everything up to and including the last backslash goes: the name remains.
QString nameOf(const QString &path)
{
    static const QRegularExpression category(QStringLiteral("^.*\\\\"));
    return QString(path).remove(category);
}

constexpr int NameRole = Qt::UserRole;

} // namespace

DlgFilters::DlgFilters(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DlgFiltersClass)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    ui->treeWidget->sortByColumn(0, Qt::AscendingOrder);
    connect(ui->treeView, &TreeViewFilters::selectedChanged, this, &DlgFilters::catorgeSelectedChanged);
    connect(ui->treeWidget, &QTreeWidget::itemSelectionChanged, this, &DlgFilters::onItemSelection);
    connect(ui->treeWidget, &QTreeWidget::itemDoubleClicked, this, &DlgFilters::treeWidgeItemDoubleClicked);
    connect(ui->txtSearch, &QLineEdit::textChanged, this, &DlgFilters::searchChanged);
    ui->txtSearch->installEventFilter(this);
    ui->txtSearch->setFocus();
}

DlgFilters::~DlgFilters() = default;

void DlgFilters::setFilters(const QStringList &categoryPaths, const QStringList &descriptions,
                            const QStringList &displayPaths)
{
    m_categoryPaths = categoryPaths;
    m_descriptions = descriptions;
    m_displayPaths = displayPaths.size() == categoryPaths.size() ? displayPaths : categoryPaths;
    ui->treeView->setFilters(m_displayPaths);
    catorgeSelectedChanged(tr("All Filters"));
}

void DlgFilters::catorgeSelectedChanged(const QString &category)
{
    // Emptying the list reports a selection change of its own; the name goes after it.
    ui->treeWidget->clear();
    clearChoice();
    const bool all = category == tr("All Filters");
    ui->treeWidget->setSortingEnabled(false);
    for (int i = 0; i < m_displayPaths.size(); ++i) {
        if (!all && !m_displayPaths.at(i).contains(category))
            continue;
        auto *item = new QTreeWidgetItem(ui->treeWidget);
        item->setText(0, nameOf(m_displayPaths.at(i)));
        item->setText(1, m_descriptions.value(i));
        item->setData(0, NameRole, nameOf(m_categoryPaths.at(i)));
        // The description column is narrow: the whole text on hovering either column.
        item->setToolTip(0, m_descriptions.value(i));
        item->setToolTip(1, m_descriptions.value(i));
    }
    ui->treeWidget->setSortingEnabled(true);
    ui->treeWidget->sortByColumn(0, Qt::AscendingOrder);
    ui->treeWidget->resizeColumnToContents(0);
    // Another category keeps the search, but not the choice.
    applySearch(false);
}

void DlgFilters::clearChoice()
{
    m_selectedFilter.clear();
    ui->label->clear();
}

void DlgFilters::searchChanged()
{
    applySearch(true);
}

void DlgFilters::applySearch(bool highlight)
{
    const QString text = ui->txtSearch->text().trimmed();
    QTreeWidgetItem *firstMatch = nullptr;
    for (int i = 0; i < ui->treeWidget->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = ui->treeWidget->topLevelItem(i);
        const bool match = text.isEmpty() || item->text(0).contains(text, Qt::CaseInsensitive)
                           || item->data(0, NameRole).toString().contains(text, Qt::CaseInsensitive);
        item->setHidden(!match);
        if (match && !firstMatch)
            firstMatch = item;
    }
    if (!highlight || text.isEmpty())
        return;
    QTreeWidgetItem *current = ui->treeWidget->currentItem();
    if (current && !current->isHidden() && current->isSelected())
        return;
    if (firstMatch) {
        ui->treeWidget->setCurrentItem(firstMatch);  // selects it, and so chooses it
        ui->treeWidget->scrollToItem(firstMatch);
        return;
    }
    // Nothing matches: nothing is chosen, and Add says so.
    ui->treeWidget->clearSelection();
    ui->treeWidget->setCurrentItem(nullptr);
    clearChoice();
}

bool DlgFilters::eventFilter(QObject *watched, QEvent *event)
{
    // The arrow keys of the search field move in the list, so that a filter is
    // picked without leaving the field.
    if (watched == ui->txtSearch && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(ui->treeWidget, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DlgFilters::onItemSelection()
{
    const QTreeWidgetItem *item = ui->treeWidget->currentItem();
    if (!item)
        return;
    m_selectedFilter = item->data(0, NameRole).toString();
    ui->label->setText(item->text(1));
}

void DlgFilters::treeWidgeItemDoubleClicked(QTreeWidgetItem *item, int)
{
    if (!item)
        return;
    m_selectedFilter = item->data(0, NameRole).toString();
    on_pbAdd_clicked();
}

void DlgFilters::on_pbAdd_clicked()
{
    if (m_selectedFilter.isEmpty()) {
        QMessageBox::information(this, tr("Select Filter"), tr("Please select a filter and then press Add"));
        return;
    }
    accept();
}

void DlgFilters::on_pbCancel_clicked()
{
    reject();
}
