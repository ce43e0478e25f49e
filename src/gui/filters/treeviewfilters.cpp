#include "gui/filters/treeviewfilters.h"

#include <QRegularExpression>
#include <QStandardItemModel>

TreeViewFilters::TreeViewFilters(QWidget *parent)
    : QTreeView(parent)
    , m_model(new QStandardItemModel(this))
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setModel(m_model);
}

void TreeViewFilters::setFilters(const QStringList &categoryPaths)
{
    QStringList categories;
    QList<int> counts;
    for (const QString &path : categoryPaths) {
        const QStringList parts = path.split(QLatin1Char('\\'));
        if (parts.size() >= 3)
            continue;  // more than one backslash: no category
        const int at = categories.indexOf(parts.first());
        if (at < 0) {
            categories.append(parts.first());
            counts.append(1);
        } else {
            ++counts[at];
        }
    }

    m_model->clear();
    m_model->setColumnCount(1);
    m_model->setHorizontalHeaderLabels({tr("Category")});
    auto *root = new QStandardItem(tr("All Filters") + QLatin1Char('[') + QString::number(categoryPaths.size())
                                   + QLatin1Char(']'));
    for (int i = 0; i < categories.size(); ++i)
        root->appendRow(new QStandardItem(categories.at(i) + QLatin1Char('[') + QString::number(counts.at(i))
                                          + QLatin1Char(']')));
    m_model->appendRow(root);
    expand(root->index());
}

void TreeViewFilters::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    static const QRegularExpression count(QStringLiteral("\\[[^\\]]+\\]"));
    QString category = currentIndex().data(Qt::DisplayRole).toString();
    category.remove(count);
    emit selectedChanged(category);
    QTreeView::selectionChanged(selected, deselected);
}
