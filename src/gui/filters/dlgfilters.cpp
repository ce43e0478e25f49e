#include "gui/filters/dlgfilters.h"
#include "ui_dlgfilters.h"

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
    m_selectedFilter.clear();
    ui->label->clear();
    const bool all = category == tr("All Filters");
    ui->treeWidget->setSortingEnabled(false);
    for (int i = 0; i < m_displayPaths.size(); ++i) {
        if (!all && !m_displayPaths.at(i).contains(category))
            continue;
        auto *item = new QTreeWidgetItem(ui->treeWidget);
        item->setText(0, nameOf(m_displayPaths.at(i)));
        item->setText(1, m_descriptions.value(i));
        item->setData(0, NameRole, nameOf(m_categoryPaths.at(i)));
    }
    ui->treeWidget->setSortingEnabled(true);
    ui->treeWidget->sortByColumn(0, Qt::AscendingOrder);
    ui->treeWidget->resizeColumnToContents(0);
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
