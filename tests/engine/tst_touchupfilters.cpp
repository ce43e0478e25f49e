#include <QTest>

#include "plugintestutils.h"
#include "testutils.h"

using PluginTestUtils::applyFilter;
using PluginTestUtils::loadFilter;

// The touch-up filters against GraphicsMagick's own tool. Black and white points
// are given on the 0..255 sample scale and percentages of it; the expected
// arguments below are computed on the library's own scale (MaxRGB), so these
// rows hold for any build of the library.

static QString number(double value)
{
    return QString::number(value, 'g', 17);
}

// gm's -level takes "black,gamma,white" in the library's sample range.
static QStringList levelArguments(double black, double gamma, double white)
{
    return {QStringLiteral("-level"), number(black) + ',' + number(gamma) + ',' + number(white)};
}

static double percentOfRange(double percent)
{
    return MaxRGB * percent / 100.0;
}

static double onEightBitScale(double value)
{
    return MaxRGB * value / 255.0;
}

// The test picture squeezed into the middle half of the range, as from a dull
// photograph, so that stretching filters have something to stretch.
static Magick::Image lowContrastPicture(int width, int height)
{
    Magick::Image image = TestUtils::makePicture(width, height);
    image.quantumOperator(Magick::AllChannels, Magick::DivideQuantumOp, 2.0);
    image.quantumOperator(Magick::AllChannels, Magick::AddQuantumOp, MaxRGB / 4.0);
    return image;
}

class TestTouchUpFilters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtils::initImageLibrary(); }
    void matchesGraphicsMagick_data();
    void matchesGraphicsMagick();
    void channelSelection_data();
    void channelSelection();
    void neutralSettingsLeavePictureUnchanged_data();
    void neutralSettingsLeavePictureUnchanged();
};

void TestTouchUpFilters::matchesGraphicsMagick_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("params");
    QTest::addColumn<QStringList>("gmArguments");

    // Levels: Black and White are percentages of the range, Mid a gamma in tenths.
    QTest::newRow("levels default") << "LevelsEffect" << "Channel:0,Black:15,White:40,Mid:9"
                                    << levelArguments(percentOfRange(15), 0.9, percentOfRange(40));
    QTest::newRow("levels empty string means default")
        << "LevelsEffect" << "" << levelArguments(percentOfRange(15), 0.9, percentOfRange(40));
    QTest::newRow("levels wide range brighter gamma")
        << "LevelsEffect" << "Channel:0,Black:5,White:90,Mid:15"
        << levelArguments(percentOfRange(5), 1.5, percentOfRange(90));
    QTest::newRow("levels channel 7 means all") << "LevelsEffect" << "Channel:7,Black:10,White:80,Mid:10"
                                                << levelArguments(percentOfRange(10), 1.0, percentOfRange(80));
    QTest::newRow("levels channel -1 means all") << "LevelsEffect" << "Channel:-1,Black:10,White:80,Mid:10"
                                                 << levelArguments(percentOfRange(10), 1.0, percentOfRange(80));

    // Hue/Saturation: the record holds changes; the library takes brightness,
    // saturation and hue as percentages where 100 keeps them.
    QTest::newRow("hue/saturation default") << "ModulateEffect" << "Hue:10,Saturation:100,Lightness:100"
                                            << QStringList{"-modulate", "200,200,110"};
    QTest::newRow("hue/saturation lower and negative")
        << "ModulateEffect" << "Hue:-30,Saturation:-50,Lightness:20" << QStringList{"-modulate", "120,50,70"};
    // 200 percent of hue is one full turn.
    QTest::newRow("hue/saturation hue beyond a full turn")
        << "ModulateEffect" << "Hue:1010,Saturation:0,Lightness:0" << QStringList{"-modulate", "100,100,110"};
    QTest::newRow("hue/saturation hue a turn backwards")
        << "ModulateEffect" << "Hue:-390,Saturation:0,Lightness:0" << QStringList{"-modulate", "100,100,110"};

    // Sharpen: Sigma in tenths.
    QTest::newRow("sharpen default") << "SharpenEffect" << "Channel:0,Radius:3,Sigma:10"
                                     << QStringList{"-sharpen", "3x1"};
    QTest::newRow("sharpen small sigma") << "SharpenEffect" << "Channel:0,Radius:1,Sigma:5"
                                         << QStringList{"-sharpen", "1x0.5"};
    QTest::newRow("sharpen channel 4 means all") << "SharpenEffect" << "Channel:4,Radius:2,Sigma:15"
                                                 << QStringList{"-sharpen", "2x1.5"};
    QTest::newRow("sharpen without radius finds its own")
        << "SharpenEffect" << "Channel:0,Radius:0,Sigma:50" << QStringList{"-sharpen", "0x5"};

    // Contrast: black point and 255 - Lightness as white point on the 0..255 scale.
    QTest::newRow("contrast darker shadows brighter highlights")
        << "ContrastEffect" << "Contrast:20,Lightness:30"
        << levelArguments(onEightBitScale(20), 1.0, onEightBitScale(225));
    QTest::newRow("contrast black point only")
        << "ContrastEffect" << "Contrast:51,Lightness:0" << levelArguments(onEightBitScale(51), 1.0, MaxRGB);

    // The three without settings ignore whatever string they are given.
    QTest::newRow("reduce noise") << "ReduceNoiseEffect" << "" << QStringList{"-noise", "3"};
    QTest::newRow("reduce noise ignores a string") << "ReduceNoiseEffect" << "Radius:9" << QStringList{"-noise", "3"};
    QTest::newRow("equalize") << "EqualizeEffect" << "" << QStringList{"-equalize"};
    QTest::newRow("equalize ignores a string") << "EqualizeEffect" << "nonsense" << QStringList{"-equalize"};
    QTest::newRow("auto contrast") << "AutoContrastEffect" << "" << QStringList{"-normalize"};
    QTest::newRow("auto contrast ignores a string") << "AutoContrastEffect" << "Value:3,x" << QStringList{"-normalize"};
}

void TestTouchUpFilters::matchesGraphicsMagick()
{
    QFETCH(QString, plugin);
    QFETCH(QString, params);
    QFETCH(QStringList, gmArguments);

    const Magick::Image original = lowContrastPicture(64, 48);
    Magick::Image image = original;
    QVERIFY(applyFilter(plugin, params, image));
    QVERIFY2(!TestUtils::samePixels(image, original), "the filter did nothing");
    const Magick::Image expected = TestUtils::gmConvert(original, gmArguments);
    QCOMPARE(TestUtils::maxSampleDifference(image, expected), 0);
}

// A filter restricted to one channel gives that channel as the filter on all
// channels would, and leaves the other two as they were.
void TestTouchUpFilters::channelSelection_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("params");
    QTest::addColumn<QStringList>("gmArguments");
    QTest::addColumn<int>("compositeOperator");

    const QStringList levels = levelArguments(percentOfRange(20), 0.7, percentOfRange(60));
    QTest::newRow("levels red") << "LevelsEffect" << "Channel:1,Black:20,White:60,Mid:7" << levels
                                << int(Magick::CopyRedCompositeOp);
    QTest::newRow("levels green") << "LevelsEffect" << "Channel:2,Black:20,White:60,Mid:7" << levels
                                  << int(Magick::CopyGreenCompositeOp);
    QTest::newRow("levels blue") << "LevelsEffect" << "Channel:3,Black:20,White:60,Mid:7" << levels
                                 << int(Magick::CopyBlueCompositeOp);
    const QStringList sharpen{"-sharpen", "2x1.2"};
    QTest::newRow("sharpen red") << "SharpenEffect" << "Channel:1,Radius:2,Sigma:12" << sharpen
                                 << int(Magick::CopyRedCompositeOp);
    QTest::newRow("sharpen green") << "SharpenEffect" << "Channel:2,Radius:2,Sigma:12" << sharpen
                                   << int(Magick::CopyGreenCompositeOp);
    QTest::newRow("sharpen blue") << "SharpenEffect" << "Channel:3,Radius:2,Sigma:12" << sharpen
                                  << int(Magick::CopyBlueCompositeOp);
}

void TestTouchUpFilters::channelSelection()
{
    QFETCH(QString, plugin);
    QFETCH(QString, params);
    QFETCH(QStringList, gmArguments);
    QFETCH(int, compositeOperator);

    const Magick::Image original = TestUtils::makePicture(64, 48);
    Magick::Image image = original;
    QVERIFY(applyFilter(plugin, params, image));
    Magick::Image expected = original;
    expected.composite(TestUtils::gmConvert(original, gmArguments), 0, 0,
                       Magick::CompositeOperator(compositeOperator));
    QVERIFY2(!TestUtils::samePixels(expected, original), "the reference did nothing");
    QCOMPARE(TestUtils::maxSampleDifference(image, expected), 0);
}

// Settings that mean "no change" must not change a gradient that runs through
// the whole sample range; on a 16-bit build, 8-bit points taken unchanged would
// turn it almost white.
void TestTouchUpFilters::neutralSettingsLeavePictureUnchanged_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("params");

    QTest::newRow("levels green full range") << "LevelsEffect" << "Channel:2,Black:0,White:100,Mid:10";
    QTest::newRow("levels all full range") << "LevelsEffect" << "Channel:0,Black:0,White:100,Mid:10";
    QTest::newRow("contrast 0 0") << "ContrastEffect" << "Contrast:0,Lightness:0";
    QTest::newRow("contrast default") << "ContrastEffect" << "";
    QTest::newRow("hue/saturation 0 0 0") << "ModulateEffect" << "Hue:0,Saturation:0,Lightness:0";
    // The library divides by sigma: 0 would blacken the picture, or with no radius hang.
    QTest::newRow("sharpen sigma 0 with a radius") << "SharpenEffect" << "Channel:0,Radius:3,Sigma:0";
    QTest::newRow("sharpen sigma 0 without a radius") << "SharpenEffect" << "Channel:0,Radius:0,Sigma:0";
    QTest::newRow("sharpen sigma 0 negative radius") << "SharpenEffect" << "Channel:2,Radius:-3,Sigma:0";
}

void TestTouchUpFilters::neutralSettingsLeavePictureUnchanged()
{
    QFETCH(QString, plugin);
    QFETCH(QString, params);

    const Magick::Image original = TestUtils::makePicture(256, 48);
    Magick::Image image = original;
    QVERIFY(applyFilter(plugin, params, image));
    QCOMPARE(TestUtils::maxSampleDifference(image, original), 0);
}

QTEST_GUILESS_MAIN(TestTouchUpFilters)
#include "tst_touchupfilters.moc"
