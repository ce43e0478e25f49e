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
class TestFilterLimits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtils::initImageLibrary(); }
    void hostileValuesFinish_data();
    void hostileValuesFinish();
};

void TestFilterLimits::hostileValuesFinish_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("params");
    QTest::addColumn<bool>("leavesPicture"); // false: any result will do

    // Without a kernel width of their own these search one from sigma, and that
    // search runs for seconds, minutes or for ever as sigma grows.
    QTest::newRow("gaussian blur without width, sigma 300")
        << "GaussianBlurEffect" << "Width:0,Simga:3000" << true;
    QTest::newRow("gaussian blur without width, huge sigma")
        << "GaussianBlurEffect" << "Width:0,Simga:4294967295" << true;
    QTest::newRow("charcoal without radius, sigma 10000")
        << "CharcoalEffect" << "Radius:0,Simga:100000" << true;
    QTest::newRow("charcoal without radius, huge sigma")
        << "CharcoalEffect" << "Radius:0,Simga:4294967295" << true;
    QTest::newRow("sharpen without radius, huge sigma")
        << "SharpenEffect" << "Channel:0,Radius:0,Sigma:2147483647" << true;
    QTest::newRow("sharpen negative radius, huge negative sigma")
        << "SharpenEffect" << "Channel:1,Radius:-5,Sigma:-2147483648" << true;

    // Extremes the library settles quickly on its own; kept here so that it stays so.
    QTest::newRow("emboss without radius, huge sigma") << "EmbossEffect" << "Radius:0,Simga:4294967295" << false;
    QTest::newRow("emboss huge radius") << "EmbossEffect" << "Radius:4294967295,Simga:50" << false;
    QTest::newRow("charcoal huge radius") << "CharcoalEffect" << "Radius:4294967295,Simga:50" << false;
    QTest::newRow("gaussian blur huge width") << "GaussianBlurEffect" << "Width:4294967295,Simga:50" << false;
    QTest::newRow("sharpen huge radius") << "SharpenEffect" << "Channel:0,Radius:2147483647,Sigma:10" << false;
    QTest::newRow("edge huge radius") << "EdgeEffect" << "Radius:2147483647" << false;
    QTest::newRow("edge most negative radius") << "EdgeEffect" << "Radius:-2147483648" << false;
    QTest::newRow("oil paint huge radius") << "OilPaintEffect" << "Value:2147483647" << false;
    QTest::newRow("oil paint most negative radius") << "OilPaintEffect" << "Value:-2147483648" << false;
    QTest::newRow("implode huge factor") << "ImplodeEffect" << "Value:2147483647" << false;
    QTest::newRow("swirl most negative") << "SwirlEffect" << "Degrees:-2147483648" << false;
    QTest::newRow("wave huge length") << "WaveEffect" << "Amplitude:25,Length:4294967295" << false;
    QTest::newRow("wave no length") << "WaveEffect" << "Amplitude:25,Length:0" << false;
    QTest::newRow("spread huge amount") << "SpreadEffect" << "Amount:2147483647" << false;
    QTest::newRow("spread minus one") << "SpreadEffect" << "Amount:-1" << false;
    QTest::newRow("shade huge angles") << "ShadeEffect" << "Azimuth:4294967295,Elevation:4294967295,ColorShading:1"
                                       << false;
    QTest::newRow("raise wider than the picture") << "RaiseEffect" << "Width:4294967295,Raise:1" << false;
    QTest::newRow("border huge") << "BorderEffect" << "Type:0,Width:4294967295,Height:4294967295,Color:000000000,Scale:0"
                                 << false;
    QTest::newRow("roll by minus one") << "RollEffect" << "Type:0,Columns:-1,Rows:-1" << false;
    QTest::newRow("roll huge percent") << "RollEffect" << "Type:1,Columns:2147483647,Rows:2147483647" << false;
    QTest::newRow("rotate most positive") << "RotateEffect" << "Degree:2147483647" << false;
    QTest::newRow("resize huge percent") << "ResizeEffect" << "Type:1,Width:2147483647,Height:2147483647,Radio:0,RadioBy:0"
                                         << false;
    QTest::newRow("resize huge pixels") << "ResizeEffect" << "Type:0,Width:2147483647,Height:2147483647,Radio:0,RadioBy:0"
                                        << false;
    QTest::newRow("crop huge percent") << "CropEffect" << "Type:1,Width:2147483647,Height:2147483647,xOffset:2147483647,"
                                                         "yOffset:2147483647" << false;
    QTest::newRow("modulate extremes") << "ModulateEffect" << "Hue:2147483647,Saturation:2147483647,Lightness:2147483647"
                                       << false;
    QTest::newRow("levels extremes") << "LevelsEffect" << "Channel:0,Black:2147483647,White:-2147483648,Mid:0" << false;
    QTest::newRow("contrast extremes") << "ContrastEffect" << "Contrast:2147483647,Lightness:-2147483648" << false;
}

void TestFilterLimits::hostileValuesFinish()
{
    QFETCH(QString, plugin);
    QFETCH(QString, params);
    QFETCH(bool, leavesPicture);

    FilterInterface *filter = loadFilter(plugin);
    QVERIFY(filter);
    const Magick::Image original = TestUtils::makePicture(40, 30);
    auto image = std::make_shared<Magick::Image>(original);

    // On a thread of its own, so that a filter that never returns fails this row
    // instead of hanging the run; such a thread is left behind.
    std::packaged_task<void()> task([filter, params, image] { filter->apply(params, *image); });
    std::future<void> done = task.get_future();
    std::thread(std::move(task)).detach();
    if (done.wait_for(std::chrono::seconds(10)) != std::future_status::ready)
        QFAIL(qPrintable(QStringLiteral("%1 with \"%2\" did not finish within 10 s").arg(plugin, params)));
    done.get();
    if (leavesPicture)
        QVERIFY(TestUtils::samePixels(*image, original));
}

QTEST_GUILESS_MAIN(TestFilterLimits)
#include "tst_filterlimits.moc"
