#ifndef TREEVIEWFILTERS_H
#define TREEVIEWFILTERS_H

// The category tree of the filter chooser: "All Filters[n]" with one row per
// category, each with the number of its filters.

#include <QTreeView>

class QStandardItemModel;

class TreeViewFilters : public QTreeView
{
    Q_OBJECT

public:
    explicit TreeViewFilters(QWidget *parent = nullptr);

    // Builds the tree from "Category\Name" paths.
    void setFilters(const QStringList &categoryPaths);

signals:
    // The picked category's text without its count.
    void selectedChanged(const QString &category);

protected:
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;

private:
    QStandardItemModel *m_model;
};

#endif
