#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "filterdialogtest.h"
#include "guitestutils.h"
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
    void chooserSearchNarrowsAndEnterAdds_data();
    void chooserSearchNarrowsAndEnterAdds();
    void descriptionsReadWhole_data();
    void descriptionsReadWhole();

private:
    static QStringList listedNames(const DlgFilters &chooser);
    // The names the list shows, after the search hid the others.
    static QStringList shownNames(const DlgFilters &chooser);
    // The chooser as Step 2 opens it: names and descriptions in the user's language.
    static void fill(DlgFilters &chooser);
    static void pickCategory(DlgFilters &chooser, const QString &startsWith);
};

void TestFilterChooser::initTestCase()
{
    loadPlugins();
    QCOMPARE(FilterRegistry::instance().count(), 30);
}

QStringList TestFilterChooser::listedNames(const DlgFilters &chooser)
{
    const auto *list = child<QTreeWidget>(chooser, "treeWidget");
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names << list->topLevelItem(i)->text(0);
    return names;
}

QStringList TestFilterChooser::shownNames(const DlgFilters &chooser)
{
    const auto *list = child<QTreeWidget>(chooser, "treeWidget");
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (!list->topLevelItem(i)->isHidden())
            names << list->topLevelItem(i)->text(0);
    }
    return names;
}

void TestFilterChooser::fill(DlgFilters &chooser)
{
    const FilterRegistry &registry = FilterRegistry::instance();
    chooser.setFilters(registry.categoryPaths(), registry.displayDescriptions(), registry.displayCategoryPaths());
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
    QCOMPARE(root.data().toString(), QStringLiteral("All Filters[30]"));
    QStringList categories;
    for (int i = 0; i < model->rowCount(root); ++i)
        categories << model->index(i, 0, root).data().toString();
    categories.sort();
    QCOMPARE(categories, QStringList({"Effects[17]", "Touch-Up[7]", "Transform[6]"}));

    QStringList all = listedNames(chooser);
    QCOMPARE(all.size(), 30);
    QVERIFY(std::is_sorted(all.begin(), all.end()));

    pickCategory(chooser, QStringLiteral("Transform"));
    QCOMPARE(listedNames(chooser), QStringList({"Crop", "Fit", "Flip", "Resize", "Roll", "Rotate"}));
    pickCategory(chooser, QStringLiteral("Effects"));
    QCOMPARE(listedNames(chooser).size(), 17);
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

void TestFilterChooser::chooserSearchNarrowsAndEnterAdds_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("downs");  // Down keys after typing
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("chosen");  // empty: Add asks for a filter

    QTest::newRow("part of a name") << false << "sharp" << 0 << QStringList{"Sharpen"} << "Sharpen";
    QTest::newRow("any case") << false << "BLUR" << 0 << QStringList{"Blur", "Gaussian Blur"} << "Blur";
    QTest::newRow("arrow moves in what is shown")
        << false << "blur" << 1 << QStringList{"Blur", "Gaussian Blur"} << "Gaussian Blur";
    QTest::newRow("inside a name") << false << "contrast" << 0 << QStringList{"Auto Contrast", "Contrast"}
                                   << "Auto Contrast";
    QTest::newRow("blanks around") << false << " oil " << 0 << QStringList{"Oil Paint"} << "Oil Paint";
    QTest::newRow("nothing matches") << false << "sepia" << 0 << QStringList{} << "";
    QTest::newRow("German name") << true << "WEICHZ" << 0
                                 << QStringList{"Gaußscher Weichzeichner", "Weichzeichnen"} << "Gaussian Blur";
    QTest::newRow("German name with umlauts") << true << "LGEM" << 0 << QStringList{"Ölgemälde"} << "Oil Paint";
    QTest::newRow("English name in German") << true << "resize" << 0 << QStringList{"Größe ändern"} << "Resize";
}

// The chooser opens with the focus in its search field; typing narrows the
// list, the arrows move in it and Enter adds the highlighted filter, chosen by
// its untranslated name.
void TestFilterChooser::chooserSearchNarrowsAndEnterAdds()
{
    QFETCH(bool, german);
    QFETCH(QString, typed);
    QFETCH(int, downs);
    QFETCH(QStringList, shown);
    QFETCH(QString, chosen);
    std::unique_ptr<GermanTexts> texts;
    if (german) {
        texts = std::make_unique<GermanTexts>();
        QVERIFY(texts->installed());
    }
    DlgFilters chooser;
    fill(chooser);
    chooser.show();
    chooser.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&chooser));
    QWidget *search = QApplication::focusWidget();
    QVERIFY(qobject_cast<QLineEdit *>(search));

    QTest::keyClicks(search, typed);
    for (int i = 0; i < downs; ++i)
        QTest::keyClick(search, Qt::Key_Down);
    QCOMPARE(shownNames(chooser), shown);

    TestUtils::ModalAnswers answers;
    if (chosen.isEmpty())
        answers.press(QMessageBox::Ok);
    QTest::keyClick(search, Qt::Key_Return);
    if (chosen.isEmpty()) {
        QVERIFY(answers.done());
        QCOMPARE(answers.texts, QStringList{chooser.tr("Please select a filter and then press Add")});
        QVERIFY(chooser.isVisible());
    } else {
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QVERIFY(!chooser.isVisible());
        QCOMPARE(chooser.selectedFilter(), chosen);
    }
}

void TestFilterChooser::descriptionsReadWhole_data()
{
    QTest::addColumn<bool>("german");
    QTest::newRow("English") << false;
    QTest::newRow("German") << true;
}

// However narrow the description column, each description can be read whole:
// as the row's tool tip, and wrapped beside the list when the row is chosen.
void TestFilterChooser::descriptionsReadWhole()
{
    QFETCH(bool, german);
    std::unique_ptr<GermanTexts> texts;
    if (german) {
        texts = std::make_unique<GermanTexts>();
        QVERIFY(texts->installed());
    }
    const FilterRegistry &registry = FilterRegistry::instance();
    DlgFilters chooser;
    fill(chooser);
    chooser.show();
    auto *list = child<QTreeWidget>(chooser, "treeWidget");
    const auto *label = child<QLabel>(chooser, "label");
    QCOMPARE(list->topLevelItemCount(), registry.count());
    for (int i = 0; i < registry.count(); ++i) {
        const QString name = registry.displayCategoryPath(i).section(QLatin1Char('\\'), -1);
        const QList<QTreeWidgetItem *> rows = list->findItems(name, Qt::MatchExactly);
        QCOMPARE(rows.size(), 1);
        const QString description = registry.displayDescription(i);
        if (german)
            QVERIFY2(description != registry.filterAt(i)->description(), qPrintable(description));
        QCOMPARE(rows.first()->toolTip(0), description);
        QCOMPARE(rows.first()->toolTip(1), description);
        list->setCurrentItem(rows.first());
        QCOMPARE(label->text(), description);
        QVERIFY(label->wordWrap());
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(description));
    }
}

QTEST_MAIN(TestFilterChooser)
#include "tst_filterchooser.moc"
