#include <QDir>
#include <QSet>
#include <QTest>

#include "engine/filters/filterregistry.h"
#include "plugintestutils.h"
#include "testutils.h"

using PluginTestUtils::loadFilter;

// What each shipped plug-in says of itself. Stored projects and the settings
// dialog depend on these texts, pages and default strings, so they are checked
// letter for letter.
struct CatalogueRow
{
    const char *className;
    const char *categoryPath;
    const char *description;
    const char *defaultParams;
    int page;
};

static const CatalogueRow catalogue[] = {
    // Transform
    {"ResizeEffect", "Transform\\Resize", "Adjust image size using pixels or percents",
     "Type:0,Width:100,Height:100,Radio:0,RadioBy:0", 24},
    {"CropEffect", "Transform\\Crop", "Cut a rectangular subregion from the image",
     "Type:0,Width:100,Height:100,xOffset:0,yOffset:0", 23},
    {"RollEffect", "Transform\\Roll",
     "Roll vertically and/or horizontally by a specified number of columns and rows", "Type:0,Columns:100,Rows:100", 25},
    {"FlipEffect", "Transform\\Flip", "Flip picture in vertical and/or horizontal direction",
     "Vertical:0,Horizontal:0", 22},
    {"RotateEffect", "Transform\\Rotate", "Rotate by a specified number of degrees", "Degree:0", 26},
    {"FitEffect", "Transform\\Fit",
     "Fit within a box keeping the aspect ratio, with fine resampling and optional sharpening",
     "Width:1600,Height:1600,Enlarge:0,Sharpen:0", 27},
    // Touch-Up
    {"LevelsEffect", "Touch-Up\\Levels",
     "Adjust levels by scaling the colors falling between specified white and black points to the full available "
     "quantum range",
     "Channel:0,Black:15,White:40,Mid:9", 20},
    {"ModulateEffect", "Touch-Up\\Hue/Saturation", "Correct Hue,Saturation and Lightness",
     "Hue:10,Saturation:100,Lightness:100", 19},
    {"SharpenEffect", "Touch-Up\\Sharpen", "Sharpen picture by enhancing the edges'contrast",
     "Channel:0,Radius:3,Sigma:10", 21},
    {"ContrastEffect", "Touch-Up\\Contrast", "Enhance the intensity differences between the lighter and darker pixels",
     "Contrast:0,Lightness:0", 18},
    {"ReduceNoiseEffect", "Touch-Up\\Reduce Noise",
     "Reduce noise caused by poor lighting conditions and/or poor digital cameras", "", 0},
    {"EqualizeEffect", "Touch-Up\\Equalize", "Apply histogram equalization", "", 0},
    {"AutoContrastEffect", "Touch-Up\\Auto Contrast", "Automatically adjust contrast", "", 17},
    // Effects
    {"BorderEffect", "Effects\\Border", "Add a simple border around the picture",
     "Type:0,Width:10,Height:10,Color:000000000,Scale:0", 2},
    {"RaiseEffect", "Effects\\Raise", "Lighten or darken picture edges to give a 3D raised or lowered effect",
     "Width:30,Raise:0", 11},
    {"ShadeEffect", "Effects\\Shade", "Make picture look like a sculpture in grayscale or true colors",
     "Azimuth:30,Elevation:30,ColorShading:1", 13},
    {"CharcoalEffect", "Effects\\Charcoal", "Transform picture to a charcoal sketch", "Radius:10,Simga:50", 3},
    {"NoiseEffect", "Effects\\Noise", "Noise special effect", "Method:0", 9},
    {"SolarizeEffect", "Effects\\Solarize",
     "Make picture look like the photographic film was exposed to light during the development process", "Value:50", 12},
    {"OilPaintEffect", "Effects\\Oil Paint", "Make picture look like an oil painting", "Value:30", 10},
    {"ImplodeEffect", "Effects\\Implode", "Implode special effect", "Value:6", 8},
    {"GaussianBlurEffect", "Effects\\Gaussian Blur",
     "Make the picture hazy in appearance using the gaussian blur algorithm", "Width:7,Simga:50", 6},
    {"BlurEffect", "Effects\\Blur", "Make picture hazy in appearance", "Value:50", 1},
    {"SwirlEffect", "Effects\\Swirl", "Create a twisting motion", "Degrees:100", 15},
    {"WaveEffect", "Effects\\Wave", "Create waves", "Amplitude:25,Length:15", 16},
    {"EdgeEffect", "Effects\\Edge", "Highlight edges in picture", "Radius:1", 4},
    {"SpreadEffect", "Effects\\Spread", "Make picture blurry by spreading pixels randomly", "Amount:10", 14},
    {"EmbossEffect", "Effects\\Emboss", "Add a simple emboss around the picture", "Radius:22,Simga:50", 5},
    {"GrayEffect", "Effects\\Black & White", "Transform form true colors to grayscale colors", "", 7},
    {"WatermarkEffect", "Effects\\Watermark", "Lay a text or a logo over the picture",
     "Kind:0,Text:\u00a9 ,Font:DejaVu Sans,Size:5,Color:255255255,Opacity:50,Position:8,Margin:2,Logo:,Scale:20", 28},
};

class TestPluginCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtils::initImageLibrary(); }
    void identity_data();
    void identity();
    void defaultStringRoundTrips_data() { identity_data(); }
    void defaultStringRoundTrips();
    void unparseableStringLeavesPictureUnchanged_data() { identity_data(); }
    void unparseableStringLeavesPictureUnchanged();
    void filterWithoutSettingsReadsAnyString_data();
    void filterWithoutSettingsReadsAnyString();
    void everyBuiltPluginIsCatalogued();
    void registryCountsEachCategory_data();
    void registryCountsEachCategory();
};

void TestPluginCatalogue::identity_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(catalogue)); ++i)
        QTest::newRow(catalogue[i].className) << i;
}

void TestPluginCatalogue::identity()
{
    QFETCH(int, row);
    const CatalogueRow &c = catalogue[row];
    FilterInterface *filter = loadFilter(QString::fromLatin1(c.className));
    QVERIFY2(filter, c.className);
    QCOMPARE(filter->categoryPath(), QString::fromUtf8(c.categoryPath));
    QCOMPARE(filter->name(), QString::fromUtf8(c.categoryPath).section('\\', 1));
    QCOMPARE(filter->description(), QString::fromUtf8(c.description));
    QCOMPARE(filter->defaultParams(), QString::fromUtf8(c.defaultParams));
    QCOMPARE(filter->settingsPage(), c.page);
}

// Every record type, so that the round trip can use the filter's own.
static std::unique_ptr<FilterParams> recordFor(const QString &className);

void TestPluginCatalogue::defaultStringRoundTrips()
{
    QFETCH(int, row);
    const CatalogueRow &c = catalogue[row];
    FilterInterface *filter = loadFilter(QString::fromLatin1(c.className));
    QVERIFY(filter);
    std::unique_ptr<FilterParams> record = recordFor(QString::fromLatin1(c.className));
    QVERIFY2(record, "no record type known for this filter");
    QVERIFY(filter->parseParams(filter->defaultParams(), *record));
    QCOMPARE(filter->formatParams(*record), filter->defaultParams());
    // A blank string stands for the defaults.
    std::unique_ptr<FilterParams> blank = recordFor(QString::fromLatin1(c.className));
    QVERIFY(filter->parseParams(QStringLiteral("  "), *blank));
    QCOMPARE(filter->formatParams(*blank), filter->defaultParams());
    // The registry, which kelvarine-batch asks before it runs a --filter, knows the record too.
    QVERIFY(FilterRegistry::acceptsParams(filter, filter->defaultParams()));
}

void TestPluginCatalogue::unparseableStringLeavesPictureUnchanged()
{
    QFETCH(int, row);
    const CatalogueRow &c = catalogue[row];
    if (QByteArray(c.defaultParams).isEmpty())
        QSKIP("a filter without settings reads no string");
    FilterInterface *filter = loadFilter(QString::fromLatin1(c.className));
    QVERIFY(filter);
    const Magick::Image original = TestUtils::makePicture(64, 48);
    for (const QString &bad : {QStringLiteral("nonsense"), QStringLiteral("Width 3")}) {
        Magick::Image image = original;
        filter->apply(bad, image);
        QVERIFY2(TestUtils::samePixels(image, original), qPrintable(bad));
    }
}

void TestPluginCatalogue::filterWithoutSettingsReadsAnyString_data()
{
    QTest::addColumn<QString>("className");
    for (const CatalogueRow &c : catalogue)
        if (QByteArray(c.defaultParams).isEmpty())
            QTest::newRow(c.className) << QString::fromLatin1(c.className);
}

// Nothing is read, so there is nothing to fail: whatever string and whatever
// record the host hands over, the answer is yes and the record stays as it was.
void TestPluginCatalogue::filterWithoutSettingsReadsAnyString()
{
    QFETCH(QString, className);
    FilterInterface *filter = loadFilter(className);
    QVERIFY(filter);
    NoParams none;
    QVERIFY(filter->parseParams(QStringLiteral("nonsense"), none));
    FilterParams plain;
    QVERIFY(filter->parseParams(QString(), plain));
    ResizeParams other;
    other.Width = 7;
    QVERIFY(filter->parseParams(QStringLiteral("Type:1,Width:2,Height:3,Radio:0,RadioBy:0"), other));
    QCOMPARE(other.Width, 7);
    QCOMPARE(filter->formatParams(other), QString());
}

void TestPluginCatalogue::everyBuiltPluginIsCatalogued()
{
    FilterRegistry &registry = FilterRegistry::instance();
    registry.loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QStringList catalogued;
    for (const CatalogueRow &c : catalogue)
        catalogued << QString::fromUtf8(c.categoryPath);
    QStringList loaded = registry.categoryPaths();
    loaded.sort();
    catalogued.sort();
    QCOMPARE(loaded, catalogued);
}

void TestPluginCatalogue::registryCountsEachCategory_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<int>("filters");
    QTest::newRow("Transform") << "Transform" << 6;
    QTest::newRow("Touch-Up") << "Touch-Up" << 7;
    QTest::newRow("Effects") << "Effects" << 17;
    QTest::newRow("no other category") << "" << 0;
}

// The chooser groups filters by the text before the backslash; a plug-in that
// names its category slightly differently would open a group of its own.
void TestPluginCatalogue::registryCountsEachCategory()
{
    QFETCH(QString, category);
    QFETCH(int, filters);
    FilterRegistry &registry = FilterRegistry::instance();
    registry.loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QCOMPARE(registry.count(), 30);
    const QSet<QString> known = {"Transform", "Touch-Up", "Effects"};
    int counted = 0;
    for (const QString &path : registry.categoryPaths()) {
        const QString pathCategory = path.section(QLatin1Char('\\'), 0, 0);
        if (category.isEmpty() ? !known.contains(pathCategory) : pathCategory == category)
            ++counted;
    }
    QCOMPARE(counted, filters);
}

static std::unique_ptr<FilterParams> recordFor(const QString &className)
{
    static const QHash<QString, std::function<FilterParams *()>> makers = {
        {"ResizeEffect", [] { return new ResizeParams; }},
        {"CropEffect", [] { return new CropParams; }},
        {"RollEffect", [] { return new RollParams; }},
        {"FlipEffect", [] { return new FlipParams; }},
        {"RotateEffect", [] { return new RotateParams; }},
        {"FitEffect", [] { return new FitParams; }},
        {"LevelsEffect", [] { return new LevelsParams; }},
        {"ModulateEffect", [] { return new ModulateParams; }},
        {"SharpenEffect", [] { return new SharpenParams; }},
        {"ContrastEffect", [] { return new ContrastParams; }},
        {"ReduceNoiseEffect", [] { return new NoParams; }},
        {"EqualizeEffect", [] { return new NoParams; }},
        {"AutoContrastEffect", [] { return new NoParams; }},
        {"BorderEffect", [] { return new BorderParams; }},
        {"RaiseEffect", [] { return new RaiseParams; }},
        {"ShadeEffect", [] { return new ShadeParams; }},
        {"CharcoalEffect", [] { return new CharcoalParams; }},
        {"NoiseEffect", [] { return new NoiseParams; }},
        {"SolarizeEffect", [] { return new SolarizeParams; }},
        {"OilPaintEffect", [] { return new OilPaintParams; }},
        {"ImplodeEffect", [] { return new ImplodeParams; }},
        {"GaussianBlurEffect", [] { return new GaussianBlurParams; }},
        {"BlurEffect", [] { return new BlurParams; }},
        {"SwirlEffect", [] { return new SwirlParams; }},
        {"WaveEffect", [] { return new WaveParams; }},
        {"EdgeEffect", [] { return new EdgeParams; }},
        {"SpreadEffect", [] { return new SpreadParams; }},
        {"EmbossEffect", [] { return new EmbossParams; }},
        {"GrayEffect", [] { return new NoParams; }},
        {"WatermarkEffect", [] { return new WatermarkParams; }},
    };
    const auto maker = makers.value(className);
    return std::unique_ptr<FilterParams>(maker ? maker() : nullptr);
}

QTEST_GUILESS_MAIN(TestPluginCatalogue)
#include "tst_plugincatalogue.moc"
