#include <QAction>
#include <QDir>
#include <QGraphicsPixmapItem>
#include <QTest>
#include <QThreadPool>

#include "gui/filters/dlgfilters.h"
#include "gui/filters/dlgfilterset.h"
#include "gui/naming/dlgrename.h"
#include "filterinterface.h"
#include "engine/filters/filterregistry.h"
#include "guitestutils.h"
#include "gui/views/imagepixmap.h"
#include "engine/picture/picturepipeline.h"
#include "gui/wizard/step1page.h"
#include "gui/wizard/step2page.h"
#include "gui/wizard/tamsorel.h"
#include "testutils.h"
#include "ui_tamsorel.h"
#include "gui/views/wizardviews.h"

using Rows = QList<FilterEntry>;
Q_DECLARE_METATYPE(Rows)

// Step 2 of the real main window, with the real plug-ins: the chain list, its
// Preview tab, and the naming group with the custom naming dialog.
class TestStep2Page : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void chainEdits_data();
    void chainEdits();
    void chainSkipsFiltersNotInstalled();
    void addAndEditThroughDialogs();
    void previewShowsChainResult();
    void previewShowsLastRequest();
    void chainRowsSayTheirSettings();
    void previewStartsOnStep1Choice();
    void fittedPreviewFollowsTheWindow();
    void presets_data();
    void presets();
    void customDialog();

private:
    QImage previewImage() const;
    void enterStep2();

    QTemporaryDir m_home;
    QString m_trip;
    QStringList m_pictures;
    std::unique_ptr<Tamsorel> m_window;
};

void TestStep2Page::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    TestUtils::initImageLibrary();
    FilterRegistry::instance().loadPlugins(KELVARINE_PLUGIN_DIR);
    QVERIFY(FilterRegistry::instance().count() >= 28);

    m_trip = m_home.filePath("Trip");
    QVERIFY(QDir().mkpath(m_trip));
    for (const QString name : {"a.png", "b.png"}) {
        m_pictures.append(m_trip + '/' + name);
        TestUtils::writeEncoded(m_pictures.last(), TestUtils::makePicture(160, 120), "png");
    }
}

void TestStep2Page::init()
{
    m_window = std::make_unique<Tamsorel>();
    m_window->resize(1200, 800);
    m_window->show();
}

void TestStep2Page::cleanup()
{
    m_window.reset();
}

void TestStep2Page::enterStep2()
{
    m_window->form().pbStep_AddFilters->click();
    QVERIFY(m_window->form().pbStep_AddFilters->isChecked());
}

QImage TestStep2Page::previewImage() const
{
    const ImageView &preview = m_window->views().preview();
    return preview.pixmapItem ? preview.pixmapItem->pixmap().toImage().convertToFormat(QImage::Format_RGBA8888)
                              : QImage();
}

void TestStep2Page::chainEdits_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QString>("action");  // the context menu entry
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<int>("selectedAfter");  // -1: nothing selected

    const QStringList start{"Rotate", "Sepia", "Blur", "Flip"};
    QTest::newRow("up moves the entry and its selection")
        << QList<int>{2} << "Move &Up" << QStringList{"Rotate", "Blur", "Sepia", "Flip"} << 1;
    QTest::newRow("down moves the entry and its selection")
        << QList<int>{0} << "Move &Down" << QStringList{"Sepia", "Rotate", "Blur", "Flip"} << 1;
    QTest::newRow("up on the first row does nothing") << QList<int>{0} << "Move &Up" << start << 0;
    QTest::newRow("down on the last row does nothing") << QList<int>{3} << "Move &Down" << start << 3;
    QTest::newRow("moves take the first selected row")
        << QList<int>{1, 3} << "Move &Down" << QStringList{"Rotate", "Blur", "Sepia", "Flip"} << 2;
    QTest::newRow("remove takes only the last selected row")
        << QList<int>{0, 2} << "Remove &Selected" << QStringList{"Rotate", "Sepia", "Flip"} << 0;
    QTest::newRow("remove with nothing selected") << QList<int>{} << "Remove &Selected" << start << -1;
}

void TestStep2Page::chainEdits()
{
    QFETCH(QList<int>, selected);
    QFETCH(QString, action);
    QFETCH(QStringList, order);
    QFETCH(int, selectedAfter);

    // "Sepia" is no installed filter: a row from a project made elsewhere.
    const Rows rows{{"Rotate", "Degree:90"}, {"Sepia", "Tone:80"}, {"Blur", "Value:20"}, {"Flip", "Vertical:1,Horizontal:0"}};
    Step2Page &page = m_window->step2();
    page.setChainRows(rows);
    QTreeWidget *list = m_window->form().treeWidget_Filter;
    for (int row : selected)
        list->topLevelItem(row)->setSelected(true);

    QAction *entry = nullptr;
    for (QAction *candidate : list->actions()) {
        if (candidate->text() == action)
            entry = candidate;
    }
    QVERIFY(entry);
    entry->trigger();

    // Every parameter string stays with its filter.
    Rows expected;
    for (const QString &name : order)
        expected.append(*std::find_if(rows.begin(), rows.end(), [&](const FilterEntry &e) { return e.Name == name; }));
    QCOMPARE(page.chainRows(), expected);
    QList<int> selectedRows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->isSelected())
            selectedRows.append(i);
    }
    if (selectedAfter >= 0)
        QVERIFY(selectedRows.contains(selectedAfter));
    else
        QVERIFY(selectedRows.isEmpty());
}

void TestStep2Page::chainSkipsFiltersNotInstalled()
{
    Step2Page &page = m_window->step2();
    page.setChainRows({{"Rotate", "Degree:90"}, {"Sepia", "Tone:80"}, {"Blur", "Value:20"}});
    const QList<ChainEntry> chain = page.chain();
    QCOMPARE(chain.size(), 2);
    const FilterRegistry &registry = FilterRegistry::instance();
    QCOMPARE(chain[0].filter, registry.filterAt(registry.indexOfFilter("Rotate")));
    QCOMPARE(chain[0].params, QStringLiteral("Degree:90"));
    QCOMPARE(chain[1].filter, registry.filterAt(registry.indexOfFilter("Blur")));
    QCOMPARE(page.filterCount(), 3);
}

void TestStep2Page::addAndEditThroughDialogs()
{
    m_window->step1().addPictures(m_pictures);
    enterStep2();
    Step2Page &page = m_window->step2();
    QTreeWidget *list = m_window->form().treeWidget_Filter;

    // A cancelled chooser adds nothing.
    TestUtils::ModalAnswers answers;
    answers.click("pbCancel");
    m_window->form().pbStep2_AddFilter->click();
    QVERIFY(answers.done());
    QCOMPARE(page.filterCount(), 0);

    // "+": the chooser, then the chosen filter's settings with its defaults.
    QString opened;
    answers.expect([](QWidget *widget) {
        auto *chooser = qobject_cast<DlgFilters *>(widget);
        if (!chooser)
            return false;
        auto *filters = chooser->findChild<QTreeWidget *>("treeWidget");
        const QList<QTreeWidgetItem *> rows = filters->findItems("Rotate", Qt::MatchExactly, 0);
        if (rows.isEmpty())
            return false;
        filters->setCurrentItem(rows.first());
        chooser->findChild<QAbstractButton *>("pbAdd")->click();
        return true;
    });
    answers.expect([&](QWidget *widget) {
        auto *settings = qobject_cast<DlgFilterSet *>(widget);
        if (!settings)
            return false;
        opened = settings->params();
        settings->findChild<QAbstractButton *>("pbOK")->click();
        return true;
    });
    m_window->form().pbStep2_AddFilter->click();
    QVERIFY(answers.done());
    const FilterRegistry &registry = FilterRegistry::instance();
    const QString defaults = registry.filterAt(registry.indexOfFilter("Rotate"))->defaultParams();
    QCOMPARE(opened, defaults);
    QCOMPARE(page.chainRows(), Rows({{"Rotate", defaults}}));

    // Edit opens the row's own string and writes back what the dialog returns.
    page.setChainRows({{"Rotate", "Degree:90"}, {"Sepia", "Tone:80"}});
    list->topLevelItem(0)->setSelected(true);
    m_window->activateWindow();
    list->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    answers.expect([&](QWidget *widget) {
        auto *settings = qobject_cast<DlgFilterSet *>(widget);
        if (!settings)
            return false;
        opened = settings->params();
        settings->findChild<QAbstractButton *>("step26_right")->click();
        settings->findChild<QAbstractButton *>("pbOK")->click();
        return true;
    });
    QTest::keyClick(list, Qt::Key_F2);
    QVERIFY(answers.done());
    QCOMPARE(opened, QStringLiteral("Degree:90"));
    QCOMPARE(page.chainRows(), Rows({{"Rotate", "Degree:180"}, {"Sepia", "Tone:80"}}));
    QCOMPARE(list->topLevelItem(0)->toolTip(0), QStringLiteral("Rotate 180°"));  // the words follow the edit

    // A row whose filter is not installed opens nothing.
    list->clearSelection();
    list->topLevelItem(1)->setSelected(true);
    QTest::keyClick(list, Qt::Key_F2);
    QTest::qWait(100);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(page.chainRows(), Rows({{"Rotate", "Degree:180"}, {"Sepia", "Tone:80"}}));
}

void TestStep2Page::previewShowsChainResult()
{
    m_window->step1().addPictures(m_pictures);
    m_window->step2().setChainRows({{"Rotate", "Degree:90"}, {"Black & White", ""}});
    enterStep2();
    const QImage expected = imageToImage(PicturePipeline::render(m_pictures[0], m_window->step2().chain()).value())
                                .convertToFormat(QImage::Format_RGBA8888);
    QVERIFY(TestUtils::waitFor([&] { return previewImage() == expected; }));
    QCOMPARE(previewImage().size(), QSize(120, 160));
}

void TestStep2Page::previewShowsLastRequest()
{
    // A slow render of the first chain is still running when the chain changes;
    // its picture must never replace the second chain's, even for the same file.
    const QString large = m_home.filePath("large.png");
    TestUtils::writeEncoded(large, TestUtils::makePicture(1600, 1200), "png");
    m_window->step1().addPictures({large});
    Step2Page &page = m_window->step2();
    page.setChainRows({{"Oil Paint", "Value:30"}});
    enterStep2();
    page.setChainRows({{"Flip", "Vertical:1,Horizontal:0"}});
    page.refreshPreview(0);
    const QImage expected =
        imageToImage(PicturePipeline::render(large, page.chain()).value()).convertToFormat(QImage::Format_RGBA8888);
    QVERIFY(TestUtils::waitFor([&] { return previewImage() == expected; }, 30000));
    // Every render has ended, the first one abandoned or finished; what is shown stays.
    QTRY_VERIFY_WITH_TIMEOUT(!page.isRendering(), 60000);
    QCoreApplication::processEvents();
    QVERIFY(previewImage() == expected);
}

void TestStep2Page::chainRowsSayTheirSettings()
{
    Step2Page &page = m_window->step2();
    page.setChainRows({{"Resize", "Type:1,Width:50,Height:50,Radio:0,RadioBy:0"},
                       {"Sepia", "Tone:80"},
                       {"Sharpen", "Channel:0,Radius:2,Sigma:10"}});
    enterStep2();
    QTreeWidget *list = m_window->form().treeWidget_Filter;
    QCOMPARE(list->headerItem()->text(2), QStringLiteral("Settings"));
    QVERIFY(list->isColumnHidden(1));
    QVERIFY(!list->isColumnHidden(2));

    const QStringList words{"Resize to 50 %", "Tone:80", "Sharpen, radius 2, sigma 1"};
    const QStringList tips{"Resize to 50 %", "This filter is not installed; the chain skips it.",
                           "Sharpen, radius 2, sigma 1"};
    const QStringList names{"Resize", "Sepia", "Sharpen"};
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = list->topLevelItem(row);
        QCOMPARE(item->text(0), names.at(row));
        QCOMPARE(item->text(2), words.at(row));
        QCOMPARE(item->toolTip(0), tips.at(row));
        QCOMPARE(item->toolTip(2), tips.at(row));
    }

    // Moving a row moves its words with it; what is stored stays as it was.
    list->topLevelItem(2)->setSelected(true);
    page.moveUp();
    QCOMPARE(list->topLevelItem(1)->toolTip(0), words.at(2));
    QCOMPARE(page.chainRows().at(1), FilterEntry({"Sharpen", "Channel:0,Radius:2,Sigma:10"}));
}

void TestStep2Page::previewStartsOnStep1Choice()
{
    m_window->step1().addPictures(m_pictures);
    Ui::TamsorelClass &ui = m_window->form();
    ui.treeWidget->setCurrentItem(ui.treeWidget->topLevelItem(1));
    enterStep2();
    QCOMPARE(ui.step2_listPics->currentIndex(), 1);
    QCOMPARE(ui.step2_txtPreview->text(), QStringLiteral("b.png"));
    QVERIFY(TestUtils::waitFor([&] { return !previewImage().isNull(); }));

    // A picture picked in Step 2 stays while Step 1's choice is the same.
    ui.step2_preview_prev->click();
    ui.pbStep_AddPhotos->click();
    enterStep2();
    QCOMPARE(ui.step2_listPics->currentIndex(), 0);

    // Another choice in Step 1 is followed.
    ui.pbStep_AddPhotos->click();
    ui.treeWidget->setCurrentItem(ui.treeWidget->topLevelItem(0));
    ui.treeWidget->setCurrentItem(ui.treeWidget->topLevelItem(1));
    enterStep2();
    QCOMPARE(ui.step2_listPics->currentIndex(), 1);
}

void TestStep2Page::fittedPreviewFollowsTheWindow()
{
    const QString large = m_home.filePath("wide.png");
    TestUtils::writeEncoded(large, TestUtils::makePicture(1600, 1200), "png");
    m_window->step1().addPictures({large});
    enterStep2();
    const ImageView &preview = m_window->views().preview();
    QVERIFY(TestUtils::waitFor([&] { return previewImage().size() == QSize(1600, 1200); }, 30000));
    // Fitted: the whole picture in the view, touching two of its sides (but for
    // the few pixels of margin the view keeps).
    const auto fitted = [&] {
        const QSizeF shown = preview.view->transform().mapRect(QRectF(0, 0, 1600, 1200)).size();
        const QSize room = preview.view->viewport()->size();
        return shown.width() <= room.width() + 1 && shown.height() <= room.height() + 1
            && (shown.width() >= room.width() - 8 || shown.height() >= room.height() - 8);
    };
    QVERIFY(fitted());

    for (const QSize &size : {QSize(900, 650), QSize(1500, 1000)}) {
        const qreal before = preview.view->transform().m11();
        m_window->resize(size);
        QTRY_VERIFY(preview.view->transform().m11() != before);
        QTRY_VERIFY(fitted());
    }

    // A zoom of the user's own stays when the window changes; Best Fit follows it again.
    m_window->form().step2_bpZoomIn->click();
    const qreal zoomed = preview.view->transform().m11();
    m_window->resize(1000, 700);
    QTRY_COMPARE(m_window->size(), QSize(1000, 700));
    QCoreApplication::processEvents();
    QCOMPARE(preview.view->transform().m11(), zoomed);
    m_window->form().step2_bpFit->click();
    QVERIFY(fitted());
    m_window->resize(1300, 900);
    QTRY_VERIFY(fitted());
}

void TestStep2Page::presets_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("preview");

    QTest::newRow("keep unchanged") << 0 << "[FileName]" << "b.png";
    QTest::newRow("folder's name") << 1 << "[FolderName]" << "Trip.png";
    QTest::newRow("picture's date") << 2 << "[Date_0_0_0_0]" << "";
}

void TestStep2Page::presets()
{
    QFETCH(int, row);
    QFETCH(QString, format);
    QFETCH(QString, preview);

    m_window->step1().addPictures(m_pictures);
    enterStep2();
    Ui::TamsorelClass &ui = m_window->form();
    ui.step2_listPics->setCurrentIndex(1);
    ui.step2_cbPreset->setCurrentIndex((row + 1) % 3);  // somewhere else first
    ui.step2_cbPreset->setCurrentIndex(row);
    QCOMPARE(m_window->state().formateStr, format);
    if (preview.isEmpty())  // the date: the file's own time, as the engine writes it
        preview = RenameOpter(format).newName(m_pictures[1], 1).valueOr(QString());
    QCOMPARE(ui.step2_txtPreview->text(), preview);
    QVERIFY(!preview.isEmpty());
}

void TestStep2Page::customDialog()
{
    m_window->step1().addPictures(m_pictures);
    enterStep2();
    Ui::TamsorelClass &ui = m_window->form();
    WizardState &state = m_window->state();
    const QString built = "[FolderName]_[Counter_1_1_2][Case_0_1][Replace__]";

    // Choosing "Custom Defined" opens the dialog; OK makes its template the active one.
    TestUtils::ModalAnswers answers;
    answers.expect([](QWidget *widget) {
        auto *dialog = qobject_cast<DlgRename *>(widget);
        if (!dialog)
            return false;
        dialog->ui.txtFormat->setText("[FolderName]_[Counter]");
        dialog->ui.pbOK->click();
        return true;
    });
    ui.step2_cbPreset->setCurrentIndex(3);
    QVERIFY(answers.done());
    QCOMPARE(state.customFormateStr, built);
    QCOMPARE(state.formateStr, built);
    QCOMPARE(ui.step2_txtPreview->text(), QStringLiteral("Trip_01.png"));

    // Cancelled, the box stays on "Custom Defined" with the last custom template,
    // which the dialog opened with.
    ui.step2_cbPreset->setCurrentIndex(0);
    QCOMPARE(ui.step2_txtPreview->text(), QStringLiteral("a.png"));
    QString opened;
    answers.expect([&](QWidget *widget) {
        auto *dialog = qobject_cast<DlgRename *>(widget);
        if (!dialog)
            return false;
        opened = dialog->ui.txtFormat->text();
        dialog->ui.txtFormat->setText("changed [Counter]");
        dialog->ui.pbCancel->click();
        return true;
    });
    ui.step2_cbPreset->setCurrentIndex(3);
    QVERIFY(answers.done());
    QCOMPARE(opened, QStringLiteral("[FolderName]_[Counter]"));
    QCOMPARE(ui.step2_cbPreset->currentIndex(), 3);
    QCOMPARE(state.formateStr, built);
    QCOMPARE(ui.step2_txtPreview->text(), QStringLiteral("Trip_01.png"));

    // The button opens the dialog once and moves the box to "Custom Defined" on OK.
    ui.step2_cbPreset->setCurrentIndex(1);
    int opens = 0;
    const auto accept = [&](QWidget *widget) {
        auto *dialog = qobject_cast<DlgRename *>(widget);
        if (!dialog)
            return false;
        ++opens;
        dialog->ui.case_cbCase->setCurrentIndex(2);
        dialog->ui.pbOK->click();
        return true;
    };
    answers.expect(accept);
    answers.expect(accept);  // must stay unused
    ui.step2_pbCustom->click();
    QTest::qWait(200);
    QCOMPARE(opens, 1);
    QCOMPARE(ui.step2_cbPreset->currentIndex(), 3);
    QCOMPARE(state.formateStr, QStringLiteral("[FolderName]_[Counter_1_1_2][Case_2_1][Replace__]"));
    QCOMPARE(ui.step2_txtPreview->text(), QStringLiteral("TRIP_01.png"));
}

QTEST_MAIN(TestStep2Page)
#include "tst_step2page.moc"
