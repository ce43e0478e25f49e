#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "filterdialogtest.h"
#include "gui/filters/dlgfilters.h"
#include "gui/filters/treeviewfilters.h"

// The filter chooser on the real registry and plug-ins.
class TestFilterChooser : public FilterDialogTest
{
    Q_OBJECT

private slots:
    void initTestCase();

    void chooserShowsCategoriesWithCounts();
    void chooserCategoryIsAnyPartOfThePath();
    void chooserAddWithNothingSelectedAsks();
    void chooserDoubleClickChooses();

private:
    static QStringList listedNames(const DlgFilters &chooser);
    static void pickCategory(DlgFilters &chooser, const QString &startsWith);
};

void TestFilterChooser::initTestCase()
{
    loadPlugins();
    QCOMPARE(FilterRegistry::instance().count(), 29);
}

QStringList TestFilterChooser::listedNames(const DlgFilters &chooser)
{
    const auto *list = child<QTreeWidget>(chooser, "treeWidget");
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names << list->topLevelItem(i)->text(0);
    return names;
}

void TestFilterChooser::pickCategory(DlgFilters &chooser, const QString &startsWith)
{
    auto *tree = child<TreeViewFilters>(chooser, "treeView");
    const QModelIndex root = tree->model()->index(0, 0);
    QModelIndex picked = root;
    for (int i = 0; i < tree->model()->rowCount(root); ++i) {
        const QModelIndex category = tree->model()->index(i, 0, root);
        if (category.data().toString().startsWith(startsWith))
            picked = category;
    }
    tree->selectionModel()->setCurrentIndex(picked, QItemSelectionModel::ClearAndSelect);
}

void TestFilterChooser::chooserShowsCategoriesWithCounts()
{
    const FilterRegistry &registry = FilterRegistry::instance();
    DlgFilters chooser;
    chooser.setFilters(registry.categoryPaths(), registry.descriptions());

    const QAbstractItemModel *model = child<TreeViewFilters>(chooser, "treeView")->model();
    const QModelIndex root = model->index(0, 0);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Category"));
    QCOMPARE(root.data().toString(), QStringLiteral("All Filters[29]"));
    QStringList categories;
    for (int i = 0; i < model->rowCount(root); ++i)
        categories << model->index(i, 0, root).data().toString();
    categories.sort();
    QCOMPARE(categories, QStringList({"Effects[16]", "Touch-Up[7]", "Transform[6]"}));

    QStringList all = listedNames(chooser);
    QCOMPARE(all.size(), 29);
    QVERIFY(std::is_sorted(all.begin(), all.end()));

    pickCategory(chooser, QStringLiteral("Transform"));
    QCOMPARE(listedNames(chooser), QStringList({"Crop", "Fit", "Flip", "Resize", "Roll", "Rotate"}));
    pickCategory(chooser, QStringLiteral("Effects"));
    QCOMPARE(listedNames(chooser).size(), 16);
    pickCategory(chooser, QStringLiteral("All Filters"));
    QCOMPARE(listedNames(chooser), all);
}

void TestFilterChooser::chooserCategoryIsAnyPartOfThePath()
{
    DlgFilters chooser;
    chooser.setFilters({"Effects\\Blur", "Transform\\Effects Lab", "Transform\\Crop", "Odd\\Deep\\Path"},
                       {"blurs", "a lab", "cuts", "deep"});
    const QAbstractItemModel *model = child<TreeViewFilters>(chooser, "treeView")->model();
    const QModelIndex root = model->index(0, 0);
    QCOMPARE(root.data().toString(), QStringLiteral("All Filters[4]"));
    QCOMPARE(model->rowCount(root), 2);  // a path with two backslashes has no category

    pickCategory(chooser, QStringLiteral("Effects"));
    QCOMPARE(listedNames(chooser), QStringList({"Blur", "Effects Lab"}));
    pickCategory(chooser, QStringLiteral("All Filters"));
    QCOMPARE(listedNames(chooser), QStringList({"Blur", "Crop", "Effects Lab", "Path"}));
}

void TestFilterChooser::chooserAddWithNothingSelectedAsks()
{
    const FilterRegistry &registry = FilterRegistry::instance();
    DlgFilters chooser;
    chooser.setFilters(registry.categoryPaths(), registry.descriptions());
    chooser.show();
    auto *list = child<QTreeWidget>(chooser, "treeWidget");

    // A filter picked, then another category: the choice is gone.
    list->setCurrentItem(list->topLevelItem(0));
    QVERIFY(!chooser.selectedFilter().isEmpty());
    pickCategory(chooser, QStringLiteral("Touch-Up"));
    QVERIFY(chooser.selectedFilter().isEmpty());

    QString asked;
    QTimer::singleShot(0, this, [&asked] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        asked = box->windowTitle() + QLatin1Char('|') + box->text();
        box->accept();
    });
    QTest::mouseClick(child<QPushButton>(chooser, "pbAdd"), Qt::LeftButton);
    QCOMPARE(asked, QStringLiteral("Select Filter|Please select a filter and then press Add"));
    QVERIFY(chooser.isVisible());
    QCOMPARE(chooser.result(), int(QDialog::Rejected));
}

void TestFilterChooser::chooserDoubleClickChooses()
{
    const FilterRegistry &registry = FilterRegistry::instance();
    DlgFilters chooser;
    chooser.setFilters(registry.categoryPaths(), registry.descriptions());
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    auto *list = child<QTreeWidget>(chooser, "treeWidget");
    const QList<QTreeWidgetItem *> found = list->findItems(QStringLiteral("Oil Paint"), Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    list->scrollToItem(found.first());
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(child<QLabel>(chooser, "label")->text(), QStringLiteral("Make picture look like an oil painting"));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    QVERIFY(!chooser.isVisible());
    QCOMPARE(chooser.selectedFilter(), QStringLiteral("Oil Paint"));
}

QTEST_MAIN(TestFilterChooser)
#include "tst_filterchooser.moc"
