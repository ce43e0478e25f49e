#include <QTest>

#include <cmath>
#include <functional>

#include "plugintestutils.h"
#include "testutils.h"

using PluginTestUtils::applyFilter;
using PluginTestUtils::loadFilter;

// The effect plug-ins against GraphicsMagick's own command line. Values the
// filters keep on the 0..255 sample scale are turned into the library's scale
// here with the plain formula, so a 16-bit build shows a missing scaling.
class TestEffectFilters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtils::initImageLibrary(); }
    void matchesGraphicsMagick_data();
    void matchesGraphicsMagick();
    void randomFiltersChangeThePicture_data();
    void randomFiltersChangeThePicture();
    void noiseMethodChoosesNoiseType_data();
    void noiseMethodChoosesNoiseType();
    void noiseMethodOutOfRangeLeavesPicture_data();
    void noiseMethodOutOfRangeLeavesPicture();
    void borderReadsAndWritesItsItems_data();
    void borderReadsAndWritesItsItems();
    void borderWritesEachComponent_data();
    void borderWritesEachComponent();
};

// gm's -solarize takes a percentage of the sample range.
static QString solarizePercent(int eightBit)
{
    return QString::number(eightBit * 100.0 / 255.0, 'g', 17) + QLatin1Char('%');
}

void TestEffectFilters::matchesGraphicsMagick_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("params");
    QTest::addColumn<QSize>("input");
    QTest::addColumn<QStringList>("gmArguments"); // empty: the picture stays as it was
    QTest::addColumn<QSize>("output");

    const QSize small(64, 48);

    QTest::newRow("border default: 10 black pixels on every side")
        << "BorderEffect" << "Type:0,Width:10,Height:10,Color:000000000,Scale:0" << QSize(100, 100)
        << QStringList{"-bordercolor", "#000000", "-border", "10x10"} << QSize(120, 120);
    QTest::newRow("border blank string is the default")
        << "BorderEffect" << "   " << QSize(100, 100)
        << QStringList{"-bordercolor", "#000000", "-border", "10x10"} << QSize(120, 120);
    QTest::newRow("border width 5 height 0 keeps the height")
        << "BorderEffect" << "Type:0,Width:5,Height:0,Color:012034056,Scale:0" << small
        << QStringList{"-bordercolor", "#0C2238", "-border", "5x0"} << QSize(74, 48);
    QTest::newRow("border white is full white")
        << "BorderEffect" << "Type:0,Width:3,Height:4,Color:255255255,Scale:0" << small
        << QStringList{"-bordercolor", "#FFFFFF", "-border", "3x4"} << QSize(70, 56);
    QTest::newRow("border type and scale change nothing")
        << "BorderEffect" << "Type:7,Width:2,Height:2,Color:255000000,Scale:1" << small
        << QStringList{"-bordercolor", "#FF0000", "-border", "2x2"} << QSize(68, 52);
    QTest::newRow("border component past 255 is full")
        << "BorderEffect" << "Type:0,Width:2,Height:2,Color:999000000,Scale:0" << small
        << QStringList{"-bordercolor", "#FF0000", "-border", "2x2"} << QSize(68, 52);

    QTest::newRow("raise default lowers a 30 pixel frame")
        << "RaiseEffect" << "Width:30,Raise:0" << QSize(100, 80) << QStringList{"+raise", "30x30"} << QSize(100, 80);
    QTest::newRow("raise 1 raises") << "RaiseEffect" << "Width:5,Raise:1" << small << QStringList{"-raise", "5x5"}
                                    << small;
    QTest::newRow("raise any other value raises")
        << "RaiseEffect" << "Width:5,Raise:7" << small << QStringList{"-raise", "5x5"} << small;
    QTest::newRow("raise 0 lowers") << "RaiseEffect" << "Width:5,Raise:0" << small << QStringList{"+raise", "5x5"}
                                    << small;

    QTest::newRow("shade default in colour")
        << "ShadeEffect" << "Azimuth:30,Elevation:30,ColorShading:1" << small << QStringList{"-shade", "30x30"} << small;
    QTest::newRow("shade grey")
        << "ShadeEffect" << "Azimuth:120,Elevation:45,ColorShading:0" << small << QStringList{"+shade", "120x45"}
        << small;

    QTest::newRow("charcoal default in tenths")
        << "CharcoalEffect" << "Radius:10,Simga:50" << small << QStringList{"-charcoal", "1x5"} << small;
    QTest::newRow("charcoal fractions")
        << "CharcoalEffect" << "Radius:25,Simga:15" << small << QStringList{"-charcoal", "2.5x1.5"} << small;
    QTest::newRow("charcoal without radius, largest sigma still searched")
        << "CharcoalEffect" << "Radius:0,Simga:1000" << small << QStringList{"-charcoal", "0x100"} << small;
    // The library divides by sigma: at 0 it would turn every picture white.
    QTest::newRow("charcoal sigma 0 leaves the picture")
        << "CharcoalEffect" << "Radius:10,Simga:0" << small << QStringList{} << small;
    QTest::newRow("charcoal sigma 0 without radius leaves the picture")
        << "CharcoalEffect" << "Radius:0,Simga:0" << small << QStringList{} << small;

    QTest::newRow("solarize default on the 8-bit scale")
        << "SolarizeEffect" << "Value:50" << small << QStringList{"-solarize", solarizePercent(50)} << small;
    QTest::newRow("solarize half way")
        << "SolarizeEffect" << "Value:128" << small << QStringList{"-solarize", solarizePercent(128)} << small;
    QTest::newRow("solarize fraction truncated")
        << "SolarizeEffect" << "Value:12.9" << small << QStringList{"-solarize", solarizePercent(12)} << small;
    QTest::newRow("solarize 255 leaves everything") << "SolarizeEffect" << "Value:255" << small << QStringList{}
                                                    << small;

    QTest::newRow("oil paint default radius 3")
        << "OilPaintEffect" << "Value:30" << small << QStringList{"-paint", "3"} << small;
    QTest::newRow("oil paint radius 1.5")
        << "OilPaintEffect" << "Value:15" << small << QStringList{"-paint", "1.5"} << small;

    QTest::newRow("implode default factor 0.6")
        << "ImplodeEffect" << "Value:6" << small << QStringList{"-implode", "0.6"} << small;
    QTest::newRow("implode negative explodes")
        << "ImplodeEffect" << "Value:-5" << small << QStringList{"-implode", "-0.5"} << small;

    QTest::newRow("gaussian blur default")
        << "GaussianBlurEffect" << "Width:7,Simga:50" << small << QStringList{"-gaussian", "7x5"} << small;
    QTest::newRow("gaussian blur fraction")
        << "GaussianBlurEffect" << "Width:3,Simga:15" << small << QStringList{"-gaussian", "3x1.5"} << small;
    QTest::newRow("gaussian blur negative width reads 0")
        << "GaussianBlurEffect" << "Width:-5,Simga:50" << small << QStringList{"-gaussian", "0x5"} << small;
    // The library would search for a kernel forever here.
    QTest::newRow("gaussian blur of no extent leaves the picture")
        << "GaussianBlurEffect" << "Width:0,Simga:0" << small << QStringList{} << small;
    // ... and with a width it divides by sigma and turns every picture black.
    QTest::newRow("gaussian blur sigma 0 with a width leaves the picture")
        << "GaussianBlurEffect" << "Width:7,Simga:0" << small << QStringList{} << small;

    QTest::newRow("blur default sigma 5") << "BlurEffect" << "Value:50" << small << QStringList{"-blur", "0x5"}
                                          << small;
    QTest::newRow("blur lowest") << "BlurEffect" << "Value:1" << small << QStringList{"-blur", "0x0.1"} << small;
    QTest::newRow("blur highest") << "BlurEffect" << "Value:100" << small << QStringList{"-blur", "0x10"} << small;
    QTest::newRow("blur fraction truncated")
        << "BlurEffect" << "Value:12.9" << small << QStringList{"-blur", "0x1.2"} << small;
    QTest::newRow("blur 0 leaves the picture") << "BlurEffect" << "Value:0" << small << QStringList{} << small;
    QTest::newRow("blur 101 leaves the picture") << "BlurEffect" << "Value:101" << small << QStringList{} << small;
    QTest::newRow("blur negative leaves the picture") << "BlurEffect" << "Value:-50" << small << QStringList{}
                                                      << small;

    QTest::newRow("swirl default") << "SwirlEffect" << "Degrees:100" << small << QStringList{"-swirl", "100"} << small;
    QTest::newRow("swirl backwards") << "SwirlEffect" << "Degrees:-45" << small << QStringList{"-swirl", "-45"}
                                     << small;

    QTest::newRow("wave default length times ten")
        << "WaveEffect" << "Amplitude:25,Length:15" << small << QStringList{"-wave", "25x150"} << QSize(64, 98);
    QTest::newRow("wave short") << "WaveEffect" << "Amplitude:3,Length:2" << small << QStringList{"-wave", "3x20"}
                                << QSize(64, 54);

    QTest::newRow("edge default") << "EdgeEffect" << "Radius:1" << small << QStringList{"-edge", "1"} << small;
    QTest::newRow("edge wider") << "EdgeEffect" << "Radius:3" << small << QStringList{"-edge", "3"} << small;

    QTest::newRow("emboss default in tenths")
        << "EmbossEffect" << "Radius:22,Simga:50" << small << QStringList{"-emboss", "2.2x5"} << small;
    QTest::newRow("emboss whole numbers")
        << "EmbossEffect" << "Radius:10,Simga:10" << small << QStringList{"-emboss", "1x1"} << small;
    QTest::newRow("emboss sigma 0 leaves the picture")
        << "EmbossEffect" << "Radius:22,Simga:0" << small << QStringList{} << small;
    QTest::newRow("emboss sigma 0 without radius leaves the picture")
        << "EmbossEffect" << "Radius:0,Simga:0" << small << QStringList{} << small;

    const QStringList grey{"-type", "Grayscale"};
    QTest::newRow("black and white") << "GrayEffect" << "" << small << grey << small;
    QTest::newRow("black and white ignores a setting") << "GrayEffect" << "Value:50" << small << grey << small;
    QTest::newRow("black and white ignores nonsense") << "GrayEffect" << "nonsense" << small << grey << small;
}

void TestEffectFilters::matchesGraphicsMagick()
{
    QFETCH(QString, plugin);
    QFETCH(QString, params);
    QFETCH(QSize, input);
    QFETCH(QStringList, gmArguments);
    QFETCH(QSize, output);

    const Magick::Image original = TestUtils::makePicture(input.width(), input.height());
    Magick::Image image = original;
    QVERIFY(applyFilter(plugin, params, image));
    QCOMPARE(QSize(int(image.columns()), int(image.rows())), output);
    const Magick::Image expected = gmArguments.isEmpty() ? original : TestUtils::gmConvert(original, gmArguments);
    QCOMPARE(TestUtils::maxSampleDifference(image, expected), 0);
}

void TestEffectFilters::randomFiltersChangeThePicture_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("params");
    QTest::newRow("noise default") << "NoiseEffect" << "Method:0";
    QTest::newRow("noise Poisson") << "NoiseEffect" << "Method:4";
    QTest::newRow("spread default") << "SpreadEffect" << "Amount:10";
    QTest::newRow("spread by one") << "SpreadEffect" << "Amount:1";
    QTest::newRow("spread fraction truncated") << "SpreadEffect" << "Amount:3.7";
}

void TestEffectFilters::randomFiltersChangeThePicture()
{
    QFETCH(QString, plugin);
    QFETCH(QString, params);
    const Magick::Image original = TestUtils::makePicture(64, 48);
    Magick::Image image = original;
    QVERIFY(applyFilter(plugin, params, image));
    QCOMPARE(QSize(int(image.columns()), int(image.rows())), QSize(64, 48));
    QVERIFY(TestUtils::maxSampleDifference(image, original) > 0);
}

// Noise is random, so the kind of noise is told by its traces on two flat
// pictures: how far black and mid grey move, and how much of the grey is
// thrown to black or white. Each library noise type leaves its own mix.
struct NoiseTrace
{
    double blackShift = 0;
    double greyShift = 0;
    double greyExtremes = 0;

    double distance(const NoiseTrace &o) const
    {
        return std::hypot(blackShift - o.blackShift, greyShift - o.greyShift, greyExtremes - o.greyExtremes);
    }
};

static Magick::Image flatPicture(Magick::Quantum level)
{
    Magick::Image image(Magick::Geometry(96, 96), Magick::Color(level, level, level));
    image.type(Magick::TrueColorType);
    return image;
}

static void measureNoise(const Magick::Image &image, Magick::Quantum level, double *shift, double *extremes)
{
    const Magick::PixelPacket *p = image.getConstPixels(0, 0, image.columns(), image.rows());
    const size_t count = image.columns() * image.rows();
    double moved = 0;
    size_t thrown = 0;
    for (size_t i = 0; i < count; ++i) {
        for (const Magick::Quantum sample : {p[i].red, p[i].green, p[i].blue}) {
            moved += std::abs(double(sample) - double(level)) / MaxRGB;
            if (sample != level && (sample == 0 || sample == MaxRGB))
                ++thrown;
        }
    }
    *shift = moved / (3.0 * count);
    *extremes = double(thrown) / (3.0 * count);
}

static NoiseTrace noiseTrace(const std::function<void(Magick::Image &)> &addNoise)
{
    NoiseTrace trace;
    double unused = 0;
    Magick::Image black = flatPicture(0);
    addNoise(black);
    measureNoise(black, 0, &trace.blackShift, &unused);
    const Magick::Quantum mid = MaxRGB / 2;
    Magick::Image grey = flatPicture(mid);
    addNoise(grey);
    measureNoise(grey, mid, &trace.greyShift, &trace.greyExtremes);
    return trace;
}

void TestEffectFilters::noiseMethodChoosesNoiseType_data()
{
    QTest::addColumn<QString>("params");
    QTest::addColumn<int>("noiseType");
    QTest::newRow("method 0 Gaussian") << "Method:0" << int(Magick::GaussianNoise);
    QTest::newRow("method 1 multiplicative Gaussian") << "Method:1" << int(Magick::MultiplicativeGaussianNoise);
    QTest::newRow("method 2 impulse") << "Method:2" << int(Magick::ImpulseNoise);
    QTest::newRow("method 3 Laplacian") << "Method:3" << int(Magick::LaplacianNoise);
    QTest::newRow("method 4 Poisson") << "Method:4" << int(Magick::PoissonNoise);
    QTest::newRow("method 4.9 truncated to Poisson") << "Method:4.9" << int(Magick::PoissonNoise);
}

void TestEffectFilters::noiseMethodChoosesNoiseType()
{
    QFETCH(QString, params);
    QFETCH(int, noiseType);
    FilterInterface *filter = loadFilter(QStringLiteral("NoiseEffect"));
    QVERIFY(filter);
    const NoiseTrace got = noiseTrace([&](Magick::Image &image) { filter->apply(params, image); });

    const Magick::NoiseType libraryTypes[] = {Magick::UniformNoise, Magick::GaussianNoise,
                                              Magick::MultiplicativeGaussianNoise, Magick::ImpulseNoise,
                                              Magick::LaplacianNoise, Magick::PoissonNoise, Magick::RandomNoise};
    int nearest = -1;
    double best = 0;
    for (const Magick::NoiseType type : libraryTypes) {
        const NoiseTrace reference = noiseTrace([type](Magick::Image &image) { image.addNoise(type); });
        const double d = got.distance(reference);
        if (nearest < 0 || d < best) {
            nearest = int(type);
            best = d;
        }
    }
    QCOMPARE(nearest, noiseType);
}

void TestEffectFilters::noiseMethodOutOfRangeLeavesPicture_data()
{
    QTest::addColumn<QString>("params");
    QTest::newRow("method 5") << "Method:5";
    QTest::newRow("method -1") << "Method:-1";
    QTest::newRow("method 99") << "Method:99";
}

void TestEffectFilters::noiseMethodOutOfRangeLeavesPicture()
{
    QFETCH(QString, params);
    const Magick::Image original = TestUtils::makePicture(64, 48);
    Magick::Image image = original;
    QVERIFY(applyFilter(QStringLiteral("NoiseEffect"), params, image));
    QVERIFY(TestUtils::samePixels(image, original));
}

void TestEffectFilters::borderReadsAndWritesItsItems_data()
{
    QTest::addColumn<QString>("params");
    QTest::addColumn<QString>("type");
    QTest::addColumn<uint>("width");
    QTest::addColumn<uint>("red");
    QTest::addColumn<uint>("green");
    QTest::addColumn<uint>("blue");
    QTest::addColumn<bool>("scale");
    QTest::addColumn<QString>("formatted");

    QTest::newRow("colour cut in threes")
        << "Type:0,Width:3,Height:4,Color:012034056,Scale:0" << "0" << 3u << 12u << 34u << 56u << false
        << "Type:0,Width:3,Height:4,Color:012034056,Scale:0";
    QTest::newRow("type and scale read but written as 0")
        << "Type:abc,Width:3,Height:4,Color:007000255,Scale:1" << "abc" << 3u << 7u << 0u << 255u << true
        << "Type:0,Width:3,Height:4,Color:007000255,Scale:0";
    QTest::newRow("scale set unless exactly 0")
        << "Type:0,Width:3,Height:4,Color:000000000,Scale:00" << "0" << 3u << 0u << 0u << 0u << true
        << "Type:0,Width:3,Height:4,Color:000000000,Scale:0";
    QTest::newRow("negative width reads 0")
        << "Type:0,Width:-5,Height:4,Color:255255255,Scale:0" << "0" << 0u << 255u << 255u << 255u << false
        << "Type:0,Width:0,Height:4,Color:255255255,Scale:0";
    QTest::newRow("extra items ignored")
        << "Type:0,Width:1,Height:4,Color:001002003,Scale:0,More:9" << "0" << 1u << 1u << 2u << 3u << false
        << "Type:0,Width:1,Height:4,Color:001002003,Scale:0";
}

void TestEffectFilters::borderReadsAndWritesItsItems()
{
    QFETCH(QString, params);
    QFETCH(QString, type);
    QFETCH(uint, width);
    QFETCH(uint, red);
    QFETCH(uint, green);
    QFETCH(uint, blue);
    QFETCH(bool, scale);
    QFETCH(QString, formatted);

    FilterInterface *filter = loadFilter(QStringLiteral("BorderEffect"));
    QVERIFY(filter);
    BorderParams record;
    QVERIFY(filter->parseParams(params, record));
    QCOMPARE(record.Type, type);
    QCOMPARE(record.Width, width);
    QCOMPARE(record.Height, 4u);
    QCOMPARE(record.Red, red);
    QCOMPARE(record.Green, green);
    QCOMPARE(record.Blue, blue);
    QCOMPARE(record.Scale, scale);
    QCOMPARE(filter->formatParams(record), formatted);
}

void TestEffectFilters::borderWritesEachComponent_data()
{
    QTest::addColumn<uint>("red");
    QTest::addColumn<uint>("green");
    QTest::addColumn<uint>("blue");
    QTest::addColumn<QString>("formatted");
    QTest::newRow("padded to three digits") << 7u << 0u << 255u << "Type:0,Width:1,Height:2,Color:007000255,Scale:0";
    // No settings page writes such a record, but each component keeps its own digits.
    QTest::newRow("a component of four digits")
        << 1000u << 0u << 5u << "Type:0,Width:1,Height:2,Color:1000000005,Scale:0";
}

void TestEffectFilters::borderWritesEachComponent()
{
    QFETCH(uint, red);
    QFETCH(uint, green);
    QFETCH(uint, blue);
    QFETCH(QString, formatted);
    FilterInterface *filter = loadFilter(QStringLiteral("BorderEffect"));
    QVERIFY(filter);
    BorderParams record;
    record.Width = 1;
    record.Height = 2;
    record.Red = red;
    record.Green = green;
    record.Blue = blue;
    QCOMPARE(filter->formatParams(record), formatted);
}

QTEST_GUILESS_MAIN(TestEffectFilters)
#include "tst_effectfilters.moc"
