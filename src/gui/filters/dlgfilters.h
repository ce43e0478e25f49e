#ifndef DLGFILTERS_H
#define DLGFILTERS_H

// The filter chooser: categories, the filters of the picked category and the
// description of the selected one. It opens with the focus in its search field:
// typing narrows the list to the filters whose name holds the text (as shown,
// or the untranslated one), the arrow keys move in the list, and Enter adds the
// highlighted filter.
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void catorgeSelectedChanged(const QString &category);
    void onItemSelection();
    void treeWidgeItemDoubleClicked(QTreeWidgetItem *item, int column);
    void on_pbAdd_clicked();
    void on_pbCancel_clicked();
    void searchChanged();

private:
    // Hides the rows that do not match the search text; with `highlight` the
    // first match becomes the current row when the current one is hidden.
    void applySearch(bool highlight);
    void clearChoice();

    std::unique_ptr<Ui::DlgFiltersClass> ui;
    QStringList m_categoryPaths;
    QStringList m_descriptions;
    QStringList m_displayPaths;
    QString m_selectedFilter;
};

#endif
