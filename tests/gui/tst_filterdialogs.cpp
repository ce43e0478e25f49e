#include <QApplication>
#include <QCheckBox>
#include <QGraphicsPixmapItem>
#include <QGraphicsView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "gui/filters/dlgfilterprocess.h"
#include "gui/filters/dlgfilters.h"
#include "gui/filters/dlgfilterset.h"
#include "filterinterface.h"
#include "engine/filters/filterregistry.h"
#include "gui/views/imagepixmap.h"
#include "engine/picture/picturecodec.h"
#include "gui/filters/previewthread.h"
#include "testutils.h"
#include "gui/filters/treeviewfilters.h"

// The filter chooser and the settings dialog on the real registry and plug-ins.
class TestFilterDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void chooserShowsCategoriesWithCounts();
    void chooserCategoryIsAnyPartOfThePath();
    void chooserAddWithNothingSelectedAsks();
    void chooserDoubleClickChooses();

    void settingsPageWritesBackWhatItRead_data();
    void settingsPageWritesBackWhatItRead();
    void cropUnitSwitchConvertsBothWays();
    void unreadablePictureLeavesOnlyTheSettings();
    void resizeKeepsAspectAndWritesUncheckAtOnce();
    void rotateButtonsWrap_data();
    void rotateButtonsWrap();
    void sliderCountsWhenItSettlesOrIsReleased();
    void cancelledPreviewIsNeverShown();
    void sourceIsReadWhileTheWorkerFilters();
    void lastQuickChangeIsPreviewed();

private:
    static FilterInterface *filter(const QString &name);
    // A picture file of the given size in the test's folder.
    QString pictureFile(int width, int height);
    template <typename T>
    static T *child(const QWidget &dialog, const char *name)
    {
        T *widget = dialog.findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    static QStringList listedNames(const DlgFilters &chooser);
    static void pickCategory(DlgFilters &chooser, const QString &startsWith);
    static QGraphicsPixmapItem *viewItem(const DlgFilterSet &dialog, const char *view);
    static QGraphicsPixmapItem *previewItem(const DlgFilterSet &dialog) { return viewItem(dialog, "graphicsView_2"); }

    QTemporaryDir m_dir;
};

void TestFilterDialogs::initTestCase()
{
    TestUtils::initImageLibrary();
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QCOMPARE(FilterRegistry::instance().count(), 28);
}

FilterInterface *TestFilterDialogs::filter(const QString &name)
{
    const FilterRegistry &registry = FilterRegistry::instance();
    const int index = registry.indexOfFilter(name);
    return index < 0 ? nullptr : registry.filterAt(index);
}

QString TestFilterDialogs::pictureFile(int width, int height)
{
    const QString path = m_dir.filePath(QStringLiteral("picture_%1x%2.miff").arg(width).arg(height));
    if (!QFile::exists(path))
        TestUtils::writePicture(TestUtils::makePicture(width, height), path);
    return path;
}

QStringList TestFilterDialogs::listedNames(const DlgFilters &chooser)
{
    const auto *list = child<QTreeWidget>(chooser, "treeWidget");
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names << list->topLevelItem(i)->text(0);
    return names;
}

void TestFilterDialogs::pickCategory(DlgFilters &chooser, const QString &startsWith)
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

QGraphicsPixmapItem *TestFilterDialogs::viewItem(const DlgFilterSet &dialog, const char *name)
{
    const auto *view = child<QGraphicsView>(dialog, name);
    for (QGraphicsItem *item : view->scene()->items()) {
        if (auto *pixmap = dynamic_cast<QGraphicsPixmapItem *>(item))
            return pixmap;
    }
    return nullptr;
}

void TestFilterDialogs::chooserShowsCategoriesWithCounts()
{
    const FilterRegistry &registry = FilterRegistry::instance();
    DlgFilters chooser;
    chooser.setFilters(registry.categoryPaths(), registry.descriptions());

    const QAbstractItemModel *model = child<TreeViewFilters>(chooser, "treeView")->model();
    const QModelIndex root = model->index(0, 0);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Category"));
    QCOMPARE(root.data().toString(), QStringLiteral("All Filters[28]"));
    QStringList categories;
    for (int i = 0; i < model->rowCount(root); ++i)
        categories << model->index(i, 0, root).data().toString();
    categories.sort();
    QCOMPARE(categories, QStringList({"Effects[16]", "Touch-Up[7]", "Transform[5]"}));

    QStringList all = listedNames(chooser);
    QCOMPARE(all.size(), 28);
    QVERIFY(std::is_sorted(all.begin(), all.end()));

    pickCategory(chooser, QStringLiteral("Transform"));
    QCOMPARE(listedNames(chooser), QStringList({"Crop", "Flip", "Resize", "Roll", "Rotate"}));
    pickCategory(chooser, QStringLiteral("Effects"));
    QCOMPARE(listedNames(chooser).size(), 16);
    pickCategory(chooser, QStringLiteral("All Filters"));
    QCOMPARE(listedNames(chooser), all);
}

void TestFilterDialogs::chooserCategoryIsAnyPartOfThePath()
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

void TestFilterDialogs::chooserAddWithNothingSelectedAsks()
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

void TestFilterDialogs::chooserDoubleClickChooses()
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

void TestFilterDialogs::settingsPageWritesBackWhatItRead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("other");  // a string other than the default, every value distinct

    QTest::newRow("Resize") << "Resize" << "Type:1,Width:40,Height:60,Radio:1,RadioBy:1";
    QTest::newRow("Crop") << "Crop" << "Type:1,Width:50,Height:40,xOffset:10,yOffset:20";
    QTest::newRow("Roll") << "Roll" << "Type:1,Columns:30,Rows:70";
    QTest::newRow("Flip") << "Flip" << "Vertical:0,Horizontal:1";
    QTest::newRow("Rotate") << "Rotate" << "Degree:135";
    QTest::newRow("Levels") << "Levels" << "Channel:2,Black:5,White:90,Mid:12";
    QTest::newRow("Hue/Saturation") << "Hue/Saturation" << "Hue:-20,Saturation:35,Lightness:-45";
    QTest::newRow("Sharpen") << "Sharpen" << "Channel:3,Radius:7,Sigma:25";
    QTest::newRow("Contrast") << "Contrast" << "Contrast:12,Lightness:-8";
    QTest::newRow("Reduce Noise") << "Reduce Noise" << "";
    QTest::newRow("Equalize") << "Equalize" << "";
    QTest::newRow("Auto Contrast") << "Auto Contrast" << "";
    QTest::newRow("Border") << "Border" << "Type:0,Width:15,Height:25,Color:012034056,Scale:0";
    QTest::newRow("Raise") << "Raise" << "Width:44,Raise:1";
    QTest::newRow("Shade") << "Shade" << "Azimuth:60,Elevation:45,ColorShading:0";
    QTest::newRow("Charcoal") << "Charcoal" << "Radius:20,Simga:70";
    QTest::newRow("Noise") << "Noise" << "Method:3";
    QTest::newRow("Solarize") << "Solarize" << "Value:75";
    QTest::newRow("Oil Paint") << "Oil Paint" << "Value:45";
    QTest::newRow("Implode") << "Implode" << "Value:80";
    QTest::newRow("Gaussian Blur") << "Gaussian Blur" << "Width:3,Simga:65";
    QTest::newRow("Blur") << "Blur" << "Value:20";
    QTest::newRow("Swirl") << "Swirl" << "Degrees:270";
    QTest::newRow("Wave") << "Wave" << "Amplitude:40,Length:60";
    QTest::newRow("Edge") << "Edge" << "Radius:6";
    QTest::newRow("Spread") << "Spread" << "Amount:35";
    QTest::newRow("Emboss") << "Emboss" << "Radius:40,Simga:15";
    QTest::newRow("Black & White") << "Black & White" << "";
}

void TestFilterDialogs::settingsPageWritesBackWhatItRead()
{
    QFETCH(QString, name);
    QFETCH(QString, other);
    FilterInterface *effect = filter(name);
    QVERIFY(effect);

    DlgFilterSet dialog;
    dialog.setFilter(effect);
    QCOMPARE(child<QStackedWidget>(dialog, "stackedWidget")->currentIndex(), effect->settingsPage());
    QCOMPARE(dialog.windowTitle(), name);

    dialog.setParams(QStringLiteral("  "));
    QCOMPARE(dialog.params(), effect->defaultParams());
    QCOMPARE(dialog.pageParams(), effect->defaultParams());

    dialog.setParams(other);
    QCOMPARE(dialog.params(), other.isEmpty() ? effect->defaultParams() : other);
    QCOMPARE(dialog.pageParams(), dialog.params());
}

void TestFilterDialogs::cropUnitSwitchConvertsBothWays()
{
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Crop")));
    dialog.setParams(QStringLiteral("Type:0,Width:500,Height:250,xOffset:250,yOffset:100"));
    dialog.setImage(pictureFile(1000, 500));
    QCOMPARE(child<QLabel>(dialog, "step23_sizeShow")->text(), QStringLiteral("1000 X 500"));

    child<QRadioButton>(dialog, "step23_percents")->click();
    QCOMPARE(dialog.params(), QStringLiteral("Type:1,Width:50,Height:50,xOffset:25,yOffset:20"));
    child<QRadioButton>(dialog, "step23_pixels")->click();
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:500,Height:250,xOffset:250,yOffset:100"));
}

void TestFilterDialogs::unreadablePictureLeavesOnlyTheSettings()
{
    const QString path = m_dir.filePath(QStringLiteral("broken.jpg"));
    TestUtils::writeBytes(path, QByteArray("\xff\xd8\xff\xe0 not a picture"));
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Crop")));
    dialog.setParams(QStringLiteral("Type:0,Width:500,Height:250,xOffset:250,yOffset:100"));
    dialog.setImage(path);
    dialog.show();
    QTest::qWait(50);
    QVERIFY(!dialog.findChild<DlgFilterProcess *>()->isVisible());
    QVERIFY(!viewItem(dialog, "graphicsView_1"));
    QVERIFY(!previewItem(dialog));
    QVERIFY(child<QLabel>(dialog, "step23_sizeShow")->text().isEmpty());

    // With no size to convert against, the values are only kept within the unit's range.
    child<QRadioButton>(dialog, "step23_percents")->click();
    QCOMPARE(dialog.params(), QStringLiteral("Type:1,Width:100,Height:100,xOffset:99,yOffset:99"));
}

void TestFilterDialogs::resizeKeepsAspectAndWritesUncheckAtOnce()
{
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Resize")));
    dialog.setParams(QStringLiteral("Type:0,Width:400,Height:300,Radio:1,RadioBy:0"));
    dialog.setImage(pictureFile(400, 300));

    child<QSpinBox>(dialog, "step24_width")->setValue(200);
    QCOMPARE(child<QSpinBox>(dialog, "step24_height")->value(), 150);
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:200,Height:150,Radio:1,RadioBy:0"));

    child<QCheckBox>(dialog, "step24_radio")->click();
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:200,Height:150,Radio:0,RadioBy:0"));

    child<QSpinBox>(dialog, "step24_height")->setValue(100);
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:200,Height:100,Radio:0,RadioBy:1"));
    // Checking again lets the height, edited last, lead.
    child<QCheckBox>(dialog, "step24_radio")->click();
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:133,Height:100,Radio:1,RadioBy:1"));

    // A number typed and entered counts, and the dialog stays open.
    dialog.show();
    auto *width = child<QSpinBox>(dialog, "step24_width");
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("80"));
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:133,Height:100,Radio:1,RadioBy:1"));
    QTest::keyClick(width, Qt::Key_Return);
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:80,Height:60,Radio:1,RadioBy:0"));
    QVERIFY(dialog.isVisible());
}

void TestFilterDialogs::rotateButtonsWrap_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");
    QTest::newRow("left from 0") << "Degree:0" << "step26_left" << "Degree:270";
    QTest::newRow("left from 90") << "Degree:90" << "step26_left" << "Degree:0";
    QTest::newRow("right from 300") << "Degree:300" << "step26_right" << "Degree:30";
    QTest::newRow("right from 270") << "Degree:270" << "step26_right" << "Degree:360";
}

void TestFilterDialogs::rotateButtonsWrap()
{
    QFETCH(QString, stored);
    QFETCH(QString, button);
    QFETCH(QString, expected);
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Rotate")));
    dialog.setParams(stored);
    child<QPushButton>(dialog, button.toLatin1().constData())->click();
    QCOMPARE(dialog.params(), expected);
}

void TestFilterDialogs::sliderCountsWhenItSettlesOrIsReleased()
{
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Blur")));
    dialog.setParams(QString());
    auto *slider = child<QSlider>(dialog, "step1_value");
    auto *number = child<QLabel>(dialog, "step1_lbValue");

    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(number->text(), QStringLiteral("51"));
    QVERIFY(TestUtils::waitFor([&] { return dialog.params() == QLatin1String("Value:51"); }));

    // A drag shows its value at once but counts only when let go.
    slider->setSliderDown(true);
    slider->setValue(70);
    QCOMPARE(number->text(), QStringLiteral("70"));
    QTest::qWait(2 * DlgFilterSet::settleMs);
    QCOMPARE(dialog.params(), QStringLiteral("Value:51"));
    slider->setSliderDown(false);
    QCOMPARE(dialog.params(), QStringLiteral("Value:70"));
}

void TestFilterDialogs::cancelledPreviewIsNeverShown()
{
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Oil Paint")));
    dialog.setParams(QStringLiteral("Value:1"));
    dialog.setImage(pictureFile(2400, 1600));
    dialog.show();
    QVERIFY(TestUtils::waitFor([&] { return previewItem(dialog) != nullptr; }, 60000));
    const qint64 shown = previewItem(dialog)->pixmap().cacheKey();
    // The toolkit cannot read this format; the Original view shows it all the same.
    QVERIFY(viewItem(dialog, "graphicsView_1"));
    QCOMPARE(viewItem(dialog, "graphicsView_1")->pixmap().size(), QSize(2400, 1600));
    auto *busy = dialog.findChild<DlgFilterProcess *>();
    auto *worker = dialog.findChild<PreviewThread *>();
    QVERIFY(busy && worker);

    // Cancel as soon as the busy window shows; a radius of 10 on this picture
    // takes far longer than that.
    bool closedAtOnce = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (!busy->isVisible())
            return;
        poll.stop();
        QTest::mouseClick(busy->findChild<QPushButton *>(QStringLiteral("pbCancel")), Qt::LeftButton);
        closedAtOnce = !busy->isVisible();
    });
    poll.start(20);
    QTest::keyClick(child<QSlider>(dialog, "step10_value"), Qt::Key_End);
    QVERIFY(TestUtils::waitFor([&] { return !poll.isActive(); }, 10000));
    QVERIFY(closedAtOnce);
    QCOMPARE(dialog.params(), QStringLiteral("Value:100"));
    QTest::qWait(50);
    QCOMPARE(previewItem(dialog)->pixmap().cacheKey(), shown);

    // The next change is previewed, whether or not the cancelled run has ended yet.
    auto *slider = child<QSlider>(dialog, "step10_value");
    slider->setSliderDown(true);
    slider->setValue(2);
    slider->setSliderDown(false);
    QVERIFY(!busy->isVisible());
    QCOMPARE(dialog.params(), QStringLiteral("Value:2"));
    QVERIFY(TestUtils::waitFor([&] { return !worker->isRunning(); }, 60000));
    QTest::qWait(100);
    QVERIFY(previewItem(dialog));
    QVERIFY(previewItem(dialog)->pixmap().cacheKey() != shown);
    QVERIFY(!previewItem(dialog)->pixmap().isNull());
}

void TestFilterDialogs::sourceIsReadWhileTheWorkerFilters()
{
    // The dialog converts its picture for the Original view while the worker
    // filters the same picture; neither may disturb the other.
    const Magick::Image source = PictureCodec::decode(pictureFile(1600, 1200)).valueOr(Magick::Image());
    const QImage expected = imageToImage(source);
    QVERIFY(!expected.isNull());
    PreviewThread worker;
    QImage filtered;
    connect(&worker, &PreviewThread::completeProcess, this, [&](const QImage &image) { filtered = image; });
    for (int run = 0; run < 8; ++run) {
        filtered = QImage();
        worker.setup(filter(QStringLiteral("Resize")), QStringLiteral("Type:0,Width:800,Height:600,Radio:1,RadioBy:0"),
                     source, nullptr, false);
        worker.start();
        while (worker.isRunning())
            QCOMPARE(imageToImage(source), expected);
        QVERIFY(worker.wait());
        QVERIFY(TestUtils::waitFor([&] { return !filtered.isNull(); }, 10000));
        QCOMPARE(filtered.size(), QSize(800, 600));
    }
}

void TestFilterDialogs::lastQuickChangeIsPreviewed()
{
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Resize")));
    dialog.setParams(QStringLiteral("Type:0,Width:400,Height:300,Radio:0,RadioBy:0"));
    dialog.setImage(pictureFile(400, 300));
    dialog.show();
    QVERIFY(TestUtils::waitFor([&] { return previewItem(dialog) != nullptr; }, 20000));
    auto *busy = dialog.findChild<DlgFilterProcess *>();
    auto *worker = dialog.findChild<PreviewThread *>();
    auto *width = child<QSpinBox>(dialog, "step24_width");
    auto *height = child<QSpinBox>(dialog, "step24_height");

    // Width, then height, each change arriving while the run before it ends.
    int step = 0;
    QTimer typing;
    connect(&typing, &QTimer::timeout, this, [&] {
        if (step >= 60)
            return typing.stop();
        if (step % 2 == 0)
            width->setValue(100 + step);
        else
            height->setValue(50 + step);
        ++step;
    });
    typing.start(1);
    QVERIFY(TestUtils::waitFor([&] { return !typing.isActive(); }, 60000));
    QVERIFY(TestUtils::waitFor([&] { return !busy->isVisible() && !worker->isRunning(); }, 20000));
    QTest::qWait(50);
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:158,Height:109,Radio:0,RadioBy:1"));
    QCOMPARE(previewItem(dialog)->pixmap().size(), QSize(158, 109));
}

QTEST_MAIN(TestFilterDialogs)
#include "tst_filterdialogs.moc"
