#ifndef DLGFILTERS_H
#define DLGFILTERS_H

// The filter chooser: categories, the filters of the picked category and the
// description of the selected one.
//
//   DlgFilters chooser;
//   chooser.setFilters(registry.categoryPaths(), registry.descriptions());
//   if (chooser.exec() == QDialog::Accepted)
//       index = registry.indexOfFilter(chooser.selectedFilter());

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class DlgFiltersClass;
}

class QTreeWidgetItem;

class DlgFilters : public QDialog
{
    Q_OBJECT

public:
    explicit DlgFilters(QWidget *parent = nullptr);
    ~DlgFilters() override;

    // categoryPaths identify the filters ("Category\Name", untranslated); what is
    // shown comes from displayPaths, index by index, when they are given.
    // descriptions are shown as they are.
    void setFilters(const QStringList &categoryPaths, const QStringList &descriptions,
                    const QStringList &displayPaths = QStringList());

    // The chosen filter's name as in its category path (untranslated); empty
    // while nothing is selected.
    QString selectedFilter() const { return m_selectedFilter; }

private slots:
    void catorgeSelectedChanged(const QString &category);
    void onItemSelection();
    void treeWidgeItemDoubleClicked(QTreeWidgetItem *item, int column);
    void on_pbAdd_clicked();
    void on_pbCancel_clicked();

private:
    std::unique_ptr<Ui::DlgFiltersClass> ui;
    QStringList m_categoryPaths;
    QStringList m_descriptions;
    QStringList m_displayPaths;
    QString m_selectedFilter;
};

#endif
