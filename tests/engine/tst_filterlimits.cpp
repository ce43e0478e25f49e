#include <QTest>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "plugintestutils.h"
#include "testutils.h"

using PluginTestUtils::loadFilter;

// Values that no settings page writes but a hand-edited or damaged project file
// can hold: zero and huge radii, sigmas, widths and offsets. Each filter must come
// back soon on a small picture, whatever it then does with the picture; a batch of
// hundreds of pictures must never stall on one mistyped setting.
// What a row asks of the picture once the filter is back.
enum Outcome {
    AnyResult,   // the library may refuse and leave what it likes (even nothing)
    SameSize,    // the library accepts the values, so the picture keeps its size
    SamePicture  // the plug-in declines the values and leaves the picture alone
};

class TestFilterLimits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtils::initImageLibrary(); }
    void hostileValuesFinish_data();
    void hostileValuesFinish();
    void radiusBeyondAnyPageIsDeclined_data();
    void radiusBeyondAnyPageIsDeclined();
};

namespace {

// Runs the filter on a thread of its own, so that one that never returns fails
// the row instead of hanging the run; such a thread is left behind. False when
// it did not finish within `seconds`; an exception that left the plug-in is rethrown.
bool applyWithin(FilterInterface *filter, const QString &params, std::shared_ptr<Magick::Image> image, int seconds)
{
    std::packaged_task<void()> task([filter, params, image] { filter->apply(params, *image); });
    std::future<void> done = task.get_future();
    std::thread(std::move(task)).detach();
    if (done.wait_for(std::chrono::seconds(seconds)) != std::future_status::ready)
        return false;
    done.get();
    return true;
}

} // namespace

void TestFilterLimits::hostileValuesFinish_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("params");
    QTest::addColumn<int>("outcome");

    // Without a kernel width of their own these search one from sigma, and that
    // search runs for seconds, minutes or for ever as sigma grows.
    QTest::newRow("gaussian blur without width, sigma 300")
        << "GaussianBlurEffect" << "Width:0,Simga:3000" << int(SamePicture);
    QTest::newRow("gaussian blur without width, huge sigma")
        << "GaussianBlurEffect" << "Width:0,Simga:4294967295" << int(SamePicture);
    QTest::newRow("charcoal without radius, sigma 10000")
        << "CharcoalEffect" << "Radius:0,Simga:100000" << int(SamePicture);
    QTest::newRow("charcoal without radius, huge sigma")
        << "CharcoalEffect" << "Radius:0,Simga:4294967295" << int(SamePicture);
    QTest::newRow("sharpen without radius, huge sigma")
        << "SharpenEffect" << "Channel:0,Radius:0,Sigma:2147483647" << int(SamePicture);
    QTest::newRow("sharpen negative radius, huge negative sigma")
        << "SharpenEffect" << "Channel:1,Radius:-5,Sigma:-2147483648" << int(SamePicture);

    // Extremes the library settles quickly on its own; kept here so that it stays so.
    QTest::newRow("emboss without radius, huge sigma") << "EmbossEffect" << "Radius:0,Simga:4294967295" << int(AnyResult);
    QTest::newRow("emboss huge radius") << "EmbossEffect" << "Radius:4294967295,Simga:50" << int(AnyResult);
    QTest::newRow("charcoal huge radius") << "CharcoalEffect" << "Radius:4294967295,Simga:50" << int(AnyResult);
    QTest::newRow("gaussian blur huge width") << "GaussianBlurEffect" << "Width:4294967295,Simga:50" << int(AnyResult);
    QTest::newRow("sharpen huge radius") << "SharpenEffect" << "Channel:0,Radius:2147483647,Sigma:10" << int(AnyResult);
    QTest::newRow("edge huge radius") << "EdgeEffect" << "Radius:2147483647" << int(AnyResult);
    QTest::newRow("edge most negative radius") << "EdgeEffect" << "Radius:-2147483648" << int(AnyResult);
    QTest::newRow("oil paint huge radius") << "OilPaintEffect" << "Value:2147483647" << int(AnyResult);
    QTest::newRow("oil paint most negative radius") << "OilPaintEffect" << "Value:-2147483648" << int(AnyResult);
    QTest::newRow("implode huge factor") << "ImplodeEffect" << "Value:2147483647" << int(AnyResult);
    QTest::newRow("swirl most negative") << "SwirlEffect" << "Degrees:-2147483648" << int(AnyResult);
    QTest::newRow("wave huge length") << "WaveEffect" << "Amplitude:25,Length:4294967295" << int(AnyResult);
    QTest::newRow("wave no length") << "WaveEffect" << "Amplitude:25,Length:0" << int(AnyResult);
    QTest::newRow("spread huge amount") << "SpreadEffect" << "Amount:2147483647" << int(AnyResult);
    QTest::newRow("spread minus one") << "SpreadEffect" << "Amount:-1" << int(AnyResult);
    QTest::newRow("shade huge angles") << "ShadeEffect" << "Azimuth:4294967295,Elevation:4294967295,ColorShading:1"
                                       << int(AnyResult);
    QTest::newRow("raise wider than the picture") << "RaiseEffect" << "Width:4294967295,Raise:1" << int(AnyResult);
    QTest::newRow("border huge") << "BorderEffect" << "Type:0,Width:4294967295,Height:4294967295,Color:000000000,Scale:0"
                                 << int(AnyResult);
    QTest::newRow("roll by minus one") << "RollEffect" << "Type:0,Columns:-1,Rows:-1" << int(AnyResult);
    QTest::newRow("roll huge percent") << "RollEffect" << "Type:1,Columns:2147483647,Rows:2147483647" << int(AnyResult);
    QTest::newRow("rotate most positive") << "RotateEffect" << "Degree:2147483647" << int(AnyResult);
    QTest::newRow("resize huge percent") << "ResizeEffect" << "Type:1,Width:2147483647,Height:2147483647,Radio:0,RadioBy:0"
                                         << int(AnyResult);
    QTest::newRow("resize huge pixels") << "ResizeEffect" << "Type:0,Width:2147483647,Height:2147483647,Radio:0,RadioBy:0"
                                        << int(AnyResult);
    QTest::newRow("fit huge box, may enlarge") << "FitEffect" << "Width:2147483647,Height:2147483647,Enlarge:1,Sharpen:0"
                                               << int(AnyResult);
    QTest::newRow("fit huge box") << "FitEffect" << "Width:2147483647,Height:2147483647,Enlarge:0,Sharpen:0"
                                  << int(SamePicture);
    QTest::newRow("fit most negative box") << "FitEffect" << "Width:-2147483648,Height:-2147483648,Enlarge:1,Sharpen:100"
                                           << int(SamePicture);
    QTest::newRow("fit huge sharpen") << "FitEffect" << "Width:20,Height:20,Enlarge:0,Sharpen:2147483647"
                                      << int(AnyResult);
    QTest::newRow("crop huge percent") << "CropEffect" << "Type:1,Width:2147483647,Height:2147483647,xOffset:2147483647,"
                                                         "yOffset:2147483647" << int(AnyResult);
    QTest::newRow("modulate extremes") << "ModulateEffect" << "Hue:2147483647,Saturation:2147483647,Lightness:2147483647"
                                       << int(AnyResult);
    QTest::newRow("levels extremes") << "LevelsEffect" << "Channel:0,Black:2147483647,White:-2147483648,Mid:0" << int(AnyResult);
    QTest::newRow("contrast extremes") << "ContrastEffect" << "Contrast:2147483647,Lightness:-2147483648" << int(AnyResult);

    // Operations the library refuses: the refusal must not leave the plug-in.
    QTest::newRow("crop outside the picture") << "CropEffect" << "Type:0,Width:10,Height:10,xOffset:500,yOffset:500"
                                              << int(AnyResult);
    QTest::newRow("resize to zero") << "ResizeEffect" << "Type:0,Width:0,Height:0,Radio:0,RadioBy:0" << int(AnyResult);
    QTest::newRow("resize to negative") << "ResizeEffect" << "Type:0,Width:-5,Height:10,Radio:0,RadioBy:0"
                                        << int(AnyResult);
    QTest::newRow("resize percent to zero") << "ResizeEffect" << "Type:1,Width:0,Height:50,Radio:0,RadioBy:0"
                                            << int(AnyResult);
    QTest::newRow("raise wider than half the picture") << "RaiseEffect" << "Width:30,Raise:1" << int(AnyResult);
    QTest::newRow("oil paint radius beyond the picture") << "OilPaintEffect" << "Value:1000" << int(AnyResult);
    QTest::newRow("edge radius beyond the picture") << "EdgeEffect" << "Radius:50" << int(AnyResult);
    QTest::newRow("implode far out") << "ImplodeEffect" << "Value:1000" << int(AnyResult);
    QTest::newRow("spread by nothing") << "SpreadEffect" << "Amount:0" << int(AnyResult);
    QTest::newRow("spread negative") << "SpreadEffect" << "Amount:-3" << int(AnyResult);

    // Values the library takes as they are: odd, but the picture keeps its size.
    QTest::newRow("levels black above white, gamma 0") << "LevelsEffect" << "Channel:0,Black:100,White:0,Mid:0"
                                                       << int(SameSize);
    QTest::newRow("levels extreme values") << "LevelsEffect" << "Channel:-1,Black:-2147483648,White:2147483647,Mid:-10"
                                           << int(SameSize);
    QTest::newRow("hue/saturation extreme values")
        << "ModulateEffect" << "Hue:2147483647,Saturation:-2147483648,Lightness:-100" << int(SameSize);
    QTest::newRow("hue/saturation most negative hue")
        << "ModulateEffect" << "Hue:-2147483648,Saturation:2147483647,Lightness:2147483647" << int(SameSize);
    QTest::newRow("sharpen negative radius and sigma") << "SharpenEffect" << "Channel:9,Radius:-3,Sigma:-5"
                                                       << int(SameSize);
    QTest::newRow("contrast extreme values") << "ContrastEffect" << "Contrast:-2147483648,Lightness:-2147483648"
                                             << int(SameSize);
    QTest::newRow("contrast white below black") << "ContrastEffect" << "Contrast:200,Lightness:200" << int(SameSize);
}

void TestFilterLimits::hostileValuesFinish()
{
    QFETCH(QString, plugin);
    QFETCH(QString, params);
    QFETCH(int, outcome);

    FilterInterface *filter = loadFilter(plugin);
    QVERIFY(filter);
    const Magick::Image original = TestUtils::makePicture(40, 30);
    auto image = std::make_shared<Magick::Image>(original);

    if (!applyWithin(filter, params, image, 10))
        QFAIL(qPrintable(QStringLiteral("%1 with \"%2\" did not finish within 10 s").arg(plugin, params)));
    if (outcome == SamePicture)
        QVERIFY(TestUtils::samePixels(*image, original));
    if (outcome == SameSize) {
        QCOMPARE(image->columns(), original.columns());
        QCOMPARE(image->rows(), original.rows());
    }
}

void TestFilterLimits::radiusBeyondAnyPageIsDeclined_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("params");

    // A kernel's cost grows with the square of its radius: these ask for
    // gigabytes and minutes on a thumbnail. Each is past ten times the most its
    // settings page offers.
    QTest::newRow("emboss radius 10000") << "EmbossEffect" << "Radius:100000,Simga:50";
    QTest::newRow("emboss just past its page") << "EmbossEffect" << "Radius:1001,Simga:50";
    QTest::newRow("charcoal radius 10000") << "CharcoalEffect" << "Radius:100000,Simga:50";
    QTest::newRow("gaussian blur width 1000") << "GaussianBlurEffect" << "Width:1000,Simga:50";
    QTest::newRow("sharpen radius 1000") << "SharpenEffect" << "Channel:0,Radius:1000,Sigma:10";
    QTest::newRow("edge radius 1000") << "EdgeEffect" << "Radius:1000";
    QTest::newRow("oil paint radius 10000") << "OilPaintEffect" << "Value:100000";
}

void TestFilterLimits::radiusBeyondAnyPageIsDeclined()
{
    QFETCH(QString, plugin);
    QFETCH(QString, params);

    FilterInterface *filter = loadFilter(plugin);
    QVERIFY(filter);
    const Magick::Image original = TestUtils::makePicture(320, 200);
    auto image = std::make_shared<Magick::Image>(original);
    QVERIFY2(applyWithin(filter, params, image, 2), "not declined at once");
    QVERIFY(TestUtils::samePixels(*image, original));
}

QTEST_GUILESS_MAIN(TestFilterLimits)
#include "tst_filterlimits.moc"
