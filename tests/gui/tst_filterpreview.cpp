#include <QSignalSpy>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QRadioButton>
#include <QCheckBox>

#include "engine/picture/picturecodec.h"
#include "filterdialogtest.h"
#include "gui/filters/dlgfilterprocess.h"
#include "gui/filters/dlgfilterset.h"
#include "gui/filters/previewrun.h"
#include "gui/views/imagepixmap.h"
#include "gui/wizard/tamsorel.h"

// The settings dialog's preview: rendered off the GUI thread, cancelled, overtaken.
class TestFilterPreview : public FilterDialogTest
{
    Q_OBJECT

private:
    // A slow filter on a photograph-sized picture, its first preview shown.
    bool showOilPaintOnAPhotograph(DlgFilterSet &dialog)
    {
        dialog.setFilter(filter(QStringLiteral("Oil Paint")));
        dialog.setParams(QStringLiteral("Value:1"));
        dialog.setImage(pictureFile(2400, 1600));
        dialog.show();
        return TestUtils::waitFor([&] { return previewItem(dialog) != nullptr; }, 60000);
    }

private slots:
    void initTestCase();

    void unreadablePictureLeavesOnlyTheSettings();
    void sliderCountsWhenItSettlesOrIsReleased();
    void changeIsPreviewedOnce_data();
    void changeIsPreviewedOnce();
    void cancelledPreviewIsNeverShown();
    void sourceIsReadWhileTheWorkerFilters();
    void lastQuickChangeIsPreviewed();
    void closingTheDialogCancelsItsPreview();
    void runOfAClosedDialogNeverReports_data();
    void runOfAClosedDialogNeverReports();
    void busyWindowWaitsForASlowPreview();
    void quickPreviewsShowNoBusyWindow();
    void previewBesideTheWizard_data();
    void previewBesideTheWizard();
};

namespace {

// Counts how often a window is shown.
class ShowCounter : public QObject
{
public:
    explicit ShowCounter(QWidget *window) { window->installEventFilter(this); }
    int shows = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

} // namespace

void TestFilterPreview::initTestCase()
{
    loadPlugins();
    QCOMPARE(FilterRegistry::instance().count(), 30);
}

void TestFilterPreview::unreadablePictureLeavesOnlyTheSettings()
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

void TestFilterPreview::sliderCountsWhenItSettlesOrIsReleased()
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

void TestFilterPreview::changeIsPreviewedOnce_data()
{
    // Controls the form connects by their names as well as through the page's binding.
    QTest::addColumn<QString>("filterName");
    QTest::addColumn<QString>("control");
    QTest::newRow("slider let go") << "Blur" << "step1_value";
    QTest::newRow("channel chosen") << "Levels" << "step20_channel";
    QTest::newRow("noise kind chosen") << "Noise" << "step9_type";
    // A click is a toggle and a click; the aspect box has its own handler as well.
    QTest::newRow("box clicked") << "Flip" << "step22_horizontally";
    QTest::newRow("aspect box clicked") << "Resize" << "step24_radio";
}

void TestFilterPreview::changeIsPreviewedOnce()
{
    QFETCH(QString, filterName);
    QFETCH(QString, control);
    DlgFilterSet dialog;
    dialog.setFilter(filter(filterName));
    dialog.setParams(QString());
    dialog.setImage(pictureFile(120, 80));
    dialog.show();
    auto *run = dialog.findChild<PreviewRun *>();
    QVERIFY(TestUtils::waitFor([&] { return previewItem(dialog) != nullptr && !run->isRunning(); }));
    QTest::qWait(50);
    QSignalSpy previews(run, &PreviewRun::ready);

    if (auto *slider = dialog.findChild<QSlider *>(control)) {
        slider->setSliderDown(true);
        slider->setValue(slider->value() + 5);
        slider->setSliderDown(false);
    } else if (auto *box = dialog.findChild<QCheckBox *>(control)) {
        box->click();
    } else {
        auto *list = child<QComboBox>(dialog, control.toLatin1().constData());
        list->setCurrentIndex(1);
    }
    // The busy window's own event loop may have seen the preview through already.
    QVERIFY(!previews.isEmpty() || previews.wait(10000));
    QTest::qWait(2 * DlgFilterSet::settleMs);
    QCOMPARE(previews.count(), 1);
}

void TestFilterPreview::cancelledPreviewIsNeverShown()
{
    DlgFilterSet dialog;
    QVERIFY(showOilPaintOnAPhotograph(dialog));
    const qint64 shown = previewItem(dialog)->pixmap().cacheKey();
    // The toolkit cannot read this format; the Original view shows it all the same.
    QVERIFY(viewItem(dialog, "graphicsView_1"));
    QCOMPARE(viewItem(dialog, "graphicsView_1")->pixmap().size(), QSize(2400, 1600));
    auto *busy = dialog.findChild<DlgFilterProcess *>();
    auto *worker = dialog.findChild<PreviewRun *>();
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

void TestFilterPreview::sourceIsReadWhileTheWorkerFilters()
{
    // The dialog converts its picture for the Original view while the worker
    // filters the same picture; neither may disturb the other.
    const Magick::Image source = PictureCodec::decode(pictureFile(1600, 1200)).valueOr(Magick::Image());
    const QImage expected = imageToImage(source);
    QVERIFY(!expected.isNull());
    PreviewRun worker;
    QImage filtered;
    connect(&worker, &PreviewRun::ready, this, [&](const PreviewResult &result) { filtered = result.image; });
    for (int run = 0; run < 8; ++run) {
        filtered = QImage();
        worker.start(filter(QStringLiteral("Resize")), QStringLiteral("Type:0,Width:800,Height:600,Radio:1,RadioBy:0"),
                     source, PreviewPane::Filtered);
        while (worker.isRunning())
            QCOMPARE(imageToImage(source), expected);
        worker.waitForDone();
        QVERIFY(!worker.isRunning());
        QVERIFY(TestUtils::waitFor([&] { return !filtered.isNull(); }, 10000));
        QCOMPARE(filtered.size(), QSize(800, 600));
    }
}

void TestFilterPreview::lastQuickChangeIsPreviewed()
{
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Resize")));
    dialog.setParams(QStringLiteral("Type:0,Width:400,Height:300,Radio:0,RadioBy:0"));
    dialog.setImage(pictureFile(400, 300));
    dialog.show();
    QVERIFY(TestUtils::waitFor([&] { return previewItem(dialog) != nullptr; }, 20000));
    auto *busy = dialog.findChild<DlgFilterProcess *>();
    auto *worker = dialog.findChild<PreviewRun *>();
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

void TestFilterPreview::closingTheDialogCancelsItsPreview()
{
    DlgFilterSet dialog;
    QVERIFY(showOilPaintOnAPhotograph(dialog));
    const qint64 shown = previewItem(dialog)->pixmap().cacheKey();
    auto *busy = dialog.findChild<DlgFilterProcess *>();
    auto *worker = dialog.findChild<PreviewRun *>();

    // The owner closes the dialog while the busy window shows (the user cannot:
    // the busy window is modal).
    bool busyClosed = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (!busy->isVisible())
            return;
        poll.stop();
        dialog.reject();
        busyClosed = !busy->isVisible();
    });
    poll.start(20);
    QTest::keyClick(child<QSlider>(dialog, "step10_value"), Qt::Key_End);
    QVERIFY(TestUtils::waitFor([&] { return !poll.isActive(); }, 10000));
    QVERIFY(busyClosed);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(TestUtils::waitFor([&] { return !worker->isRunning(); }, 60000));
    QTest::qWait(100);
    QCOMPARE(previewItem(dialog)->pixmap().cacheKey(), shown);
}

void TestFilterPreview::runOfAClosedDialogNeverReports_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("params");
    // Oil Paint reports progress and stops at once; Resize runs to its end.
    QTest::newRow("stops at once") << "Oil Paint" << "Value:100";
    QTest::newRow("runs to its end") << "Resize" << "Type:0,Width:3000,Height:2000,Radio:0,RadioBy:0";
}

void TestFilterPreview::runOfAClosedDialogNeverReports()
{
    QFETCH(QString, name);
    QFETCH(QString, params);
    const Magick::Image source = PictureCodec::decode(pictureFile(1600, 1200)).valueOr(Magick::Image());
    bool reported = false;
    {
        auto *host = new QObject;
        auto *run = new PreviewRun(host);
        connect(run, &PreviewRun::ready, this, [&reported] { reported = true; });
        run->start(filter(name), params, source, PreviewPane::Filtered);
        QVERIFY(run->isRunning());
        delete host;  // as the dialog goes away: nothing waits for the run
    }
    QTest::qWait(500);
    QVERIFY(!reported);

    // A run on its own, not cancelled, reports once.
    PreviewRun run;
    int reports = 0;
    PreviewPane pane = PreviewPane::Filtered;
    connect(&run, &PreviewRun::ready, this, [&](const PreviewResult &result) {
        ++reports;
        pane = result.pane;
    });
    run.start(filter(QStringLiteral("Flip")), QStringLiteral("Vertical:1,Horizontal:0"), source, PreviewPane::Original);
    QVERIFY(TestUtils::waitFor([&] { return reports > 0; }, 20000));
    QTest::qWait(50);
    QCOMPARE(reports, 1);
    QCOMPARE(pane, PreviewPane::Original);
}

void TestFilterPreview::busyWindowWaitsForASlowPreview()
{
    DlgFilterSet dialog;
    QVERIFY(showOilPaintOnAPhotograph(dialog));
    auto *busy = dialog.findChild<DlgFilterProcess *>();
    QVERIFY(TestUtils::waitFor([&] { return !busy->isVisible(); }, 60000));
    ShowCounter counter(busy);

    // A radius of 10 on this picture takes far longer than the busy window waits.
    QTest::keyClick(child<QSlider>(dialog, "step10_value"), Qt::Key_End);
    QVERIFY(TestUtils::waitFor([&] { return busy->isVisible(); }, 10000));
    QCOMPARE(counter.shows, 1);
    QVERIFY(busy->isModal());
    QTest::mouseClick(busy->findChild<QPushButton *>(QStringLiteral("pbCancel")), Qt::LeftButton);
    QVERIFY(!busy->isVisible());
    QCOMPARE(counter.shows, 1);
    QCOMPARE(dialog.params(), QStringLiteral("Value:100"));
}

void TestFilterPreview::quickPreviewsShowNoBusyWindow()
{
    DlgFilterSet dialog;
    auto *busy = dialog.findChild<DlgFilterProcess *>();
    ShowCounter counter(busy);
    dialog.setFilter(filter(QStringLiteral("Flip")));
    dialog.setParams(QString());
    dialog.setImage(pictureFile(64, 48));
    auto *run = dialog.findChild<PreviewRun *>();
    QSignalSpy previews(run, &PreviewRun::ready);
    dialog.show();
    QVERIFY(previews.wait(10000));

    // Every change is previewed, and none of them waits long enough for the busy window.
    auto *box = child<QCheckBox>(dialog, "step22_vertically");
    for (int change = 1; change <= 6; ++change) {
        box->click();
        QVERIFY(previews.wait(10000));
        QCOMPARE(previews.count(), 1 + change);
    }
    QTest::qWait(DlgFilterSet::busyDelayMs + 200);
    QCOMPARE(counter.shows, 0);
    QCOMPARE(dialog.params(), QStringLiteral("Vertical:0,Horizontal:0"));
    const QImage shown = previewItem(dialog)->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage original =
        viewItem(dialog, "graphicsView_1")->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, original);  // six flips: as it was
}

QTEST_MAIN(TestFilterPreview)
void TestFilterPreview::previewBesideTheWizard_data()
{
    QTest::addColumn<QString>("filterName");
    QTest::addColumn<QString>("params");
    QTest::newRow("fit, resampled on every thread") << "Fit" << "Width:600,Height:600,Enlarge:0,Sharpen:30";
    QTest::newRow("blur") << "Blur" << "Value:10";
}

// The wizard's window decides how the machine is shared as it is made; a preview
// opened from it afterwards must still run the library's threaded operations.
void TestFilterPreview::previewBesideTheWizard()
{
    QFETCH(QString, filterName);
    QFETCH(QString, params);
    Tamsorel window;
    DlgFilterSet dialog;
    dialog.setFilter(filter(filterName));
    dialog.setParams(params);
    dialog.setImage(pictureFile(2400, 1600));
    dialog.show();
    QVERIFY(TestUtils::waitFor([&] { return previewItem(dialog) != nullptr; }, 60000));
}

#include "tst_filterpreview.moc"
