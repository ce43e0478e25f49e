#include <QCoreApplication>
#include <QLocale>
#include <QTest>
#include <QTranslator>

#include "engine/filters/filterregistry.h"
#include "filterinterface.h"
#include "testutils.h"

// The settings of each filter in words, as the chain list shows them: what they
// say, that they follow every change a user can make, and that they are German
// in German.
class TestFilterSummary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void summarySaysTheSettings_data();
    void summarySaysTheSettings();
    void summaryFollowsTheSettings_data();
    void summaryFollowsTheSettings();
    void summaryInGerman_data();
    void summaryInGerman();

private:
    static FilterInterface *filter(const QString &name)
    {
        const FilterRegistry &registry = FilterRegistry::instance();
        return registry.filterAt(registry.indexOfFilter(name));
    }
    // Every filter with its default string and a string that differs in every value.
    static const QList<QPair<QString, QString>> &otherParams();
};

void TestFilterSummary::initTestCase()
{
    TestUtils::initImageLibrary();
    // Numbers as an English system writes them, whatever this machine's locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QCOMPARE(FilterRegistry::instance().count(), 30);
}

const QList<QPair<QString, QString>> &TestFilterSummary::otherParams()
{
    static const QList<QPair<QString, QString>> others = {
        {"Resize", "Type:1,Width:40,Height:60,Radio:1,RadioBy:1"},
        {"Crop", "Type:1,Width:50,Height:40,xOffset:10,yOffset:20"},
        {"Roll", "Type:1,Columns:30,Rows:70"},
        {"Flip", "Vertical:1,Horizontal:1"},
        {"Rotate", "Degree:135"},
        {"Levels", "Channel:2,Black:5,White:90,Mid:12"},
        {"Hue/Saturation", "Hue:-20,Saturation:35,Lightness:-45"},
        {"Sharpen", "Channel:3,Radius:7,Sigma:25"},
        {"Contrast", "Contrast:12,Lightness:-8"},
        {"Border", "Type:0,Width:15,Height:25,Color:012034056,Scale:0"},
        {"Raise", "Width:44,Raise:1"},
        {"Shade", "Azimuth:60,Elevation:45,ColorShading:0"},
        {"Charcoal", "Radius:20,Simga:70"},
        {"Noise", "Method:3"},
        {"Solarize", "Value:75"},
        {"Oil Paint", "Value:45"},
        {"Implode", "Value:80"},
        {"Gaussian Blur", "Width:3,Simga:65"},
        {"Blur", "Value:20"},
        {"Swirl", "Degrees:270"},
        {"Wave", "Amplitude:40,Length:60"},
        {"Edge", "Radius:6"},
        {"Spread", "Amount:35"},
        {"Emboss", "Radius:40,Simga:15"},
        {"Fit", "Width:800,Height:600,Enlarge:1,Sharpen:30"},
        {"Watermark", "Kind:0,Text:Anna,Font:DejaVu Sans,Size:5,Color:255255255,Opacity:50,Position:0,Margin:2,Logo:,Scale:20"},
    };
    return others;
}

void TestFilterSummary::summarySaysTheSettings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("params");
    QTest::addColumn<QString>("expected");

    QTest::newRow("resize in percent") << "Resize" << "Type:1,Width:50,Height:50,Radio:0,RadioBy:0" << "Resize to 50 %";
    QTest::newRow("resize in uneven percent") << "Resize" << "Type:1,Width:40,Height:60,Radio:1,RadioBy:1"
                                              << "Resize to 40 % × 60 %";
    QTest::newRow("resize in pixels") << "Resize" << "Type:0,Width:800,Height:600,Radio:0,RadioBy:0"
                                      << "Resize to 800 × 600 px";
    QTest::newRow("resize by the width") << "Resize" << "Type:0,Width:800,Height:600,Radio:1,RadioBy:0"
                                         << "Resize to 800 px wide";
    QTest::newRow("resize by the height") << "Resize" << "Type:0,Width:800,Height:600,Radio:1,RadioBy:1"
                                          << "Resize to 600 px high";
    QTest::newRow("crop in pixels") << "Crop" << "Type:0,Width:500,Height:400,xOffset:250,yOffset:200"
                                    << "Crop to 500 × 400 px at 250, 200";
    QTest::newRow("crop in percent") << "Crop" << "Type:3,Width:50,Height:40,xOffset:10,yOffset:20"
                                     << "Crop to 50 % × 40 % at 10 %, 20 %";
    QTest::newRow("roll in percent") << "Roll" << "Type:1,Columns:30,Rows:70" << "Roll 30 % across, 70 % down";
    QTest::newRow("flip both ways") << "Flip" << "Vertical:1,Horizontal:1" << "Flip vertically and horizontally";
    QTest::newRow("flip by 1 only") << "Flip" << "Vertical:2,Horizontal:1" << "Flip horizontally";
    QTest::newRow("flip nothing") << "Flip" << "Vertical:0,Horizontal:0" << "Flip: no change";
    QTest::newRow("rotate") << "Rotate" << "Degree:90" << "Rotate 90°";
    QTest::newRow("levels of all channels") << "Levels" << "Channel:7,Black:15,White:40,Mid:9"
                                            << "Levels (RGB): black 15 %, white 40 %, gamma 0.9";
    QTest::newRow("levels of green") << "Levels" << "Channel:2,Black:0,White:100,Mid:10"
                                     << "Levels (green): black 0 %, white 100 %, gamma 1";
    QTest::newRow("hue and saturation") << "Hue/Saturation" << "Hue:10,Saturation:-100,Lightness:0"
                                        << "Hue +10, saturation -100, lightness 0";
    QTest::newRow("sharpen") << "Sharpen" << "Channel:0,Radius:2,Sigma:15" << "Sharpen, radius 2, sigma 1.5";
    QTest::newRow("sharpen blue") << "Sharpen" << "Channel:3,Radius:2,Sigma:10" << "Sharpen blue, radius 2, sigma 1";
    QTest::newRow("contrast") << "Contrast" << "Contrast:12,Lightness:-8" << "Contrast +12, lightness -8";
    QTest::newRow("even border") << "Border" << "Type:0,Width:10,Height:10,Color:255128000,Scale:0"
                                 << "Border 10 px, #FF8000";
    QTest::newRow("uneven border, colour past 255")
        << "Border" << "Type:0,Width:5,Height:0,Color:999000016,Scale:0" << "Border 5 × 0 px, #FF0010";
    QTest::newRow("raised") << "Raise" << "Width:30,Raise:5" << "Raised edge, 30 px";
    QTest::newRow("lowered") << "Raise" << "Width:30,Raise:0" << "Lowered edge, 30 px";
    QTest::newRow("shade") << "Shade" << "Azimuth:30,Elevation:45,ColorShading:1"
                           << "Shade, azimuth 30°, elevation 45°";
    QTest::newRow("charcoal in tenths") << "Charcoal" << "Radius:10,Simga:55" << "Charcoal, radius 1, sigma 5.5";
    QTest::newRow("poisson noise") << "Noise" << "Method:4" << "Noise: Poisson";
    QTest::newRow("noise of no kind") << "Noise" << "Method:9" << "Noise: no change";
    QTest::newRow("solarize") << "Solarize" << "Value:50" << "Solarize, amount 50";
    QTest::newRow("oil paint in tenths") << "Oil Paint" << "Value:30" << "Oil paint, radius 3";
    QTest::newRow("implode in tenths") << "Implode" << "Value:6" << "Implode, amount 0.6";
    QTest::newRow("gaussian blur") << "Gaussian Blur" << "Width:7,Simga:50" << "Gaussian blur, width 7, sigma 5";
    QTest::newRow("blur") << "Blur" << "Value:50" << "Blur, sigma 5";
    QTest::newRow("blur out of its range") << "Blur" << "Value:101" << "Blur: no change";
    QTest::newRow("swirl") << "Swirl" << "Degrees:100" << "Swirl 100°";
    QTest::newRow("wave length in tens") << "Wave" << "Amplitude:25,Length:15"
                                         << "Wave, amplitude 25 px, length 150 px";
    QTest::newRow("edge") << "Edge" << "Radius:1" << "Edge, radius 1";
    QTest::newRow("spread") << "Spread" << "Amount:10" << "Spread 10 px";
    QTest::newRow("emboss") << "Emboss" << "Radius:22,Simga:50" << "Emboss, radius 2.2, sigma 5";
    // What cannot be said in words is the filter's name.
    QTest::newRow("unreadable string") << "Charcoal" << "Radius:5" << "Charcoal";
    QTest::newRow("string without values") << "Rotate" << "ninety" << "Rotate";
    QTest::newRow("no settings") << "Equalize" << "" << "Equalize";
    QTest::newRow("no settings, any string") << "Black & White" << "Tone:80" << "Black & White";
}

void TestFilterSummary::summarySaysTheSettings()
{
    QFETCH(QString, name);
    QFETCH(QString, params);
    QFETCH(QString, expected);
    const FilterInterface *effect = filter(name);
    QVERIFY(effect);
    QCOMPARE(effect->summary(params), expected);
}

void TestFilterSummary::summaryFollowsTheSettings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("other");

    const FilterRegistry &registry = FilterRegistry::instance();
    for (int i = 0; i < registry.count(); ++i) {
        const FilterInterface *effect = registry.filterAt(i);
        if (effect->defaultParams().isEmpty())
            continue;
        const auto other = std::find_if(otherParams().begin(), otherParams().end(),
                                        [&](const auto &pair) { return pair.first == effect->name(); });
        QTest::newRow(qPrintable(effect->name())) << effect->name()
                                                  << (other == otherParams().end() ? QString() : other->second);
    }
}

// Over every filter with settings the registry knows: its default settings say
// more than its name, and other settings say something else.
void TestFilterSummary::summaryFollowsTheSettings()
{
    QFETCH(QString, name);
    QFETCH(QString, other);
    if (other.isEmpty())
        QFAIL("the filter has no other string in otherParams()");
    const FilterInterface *effect = filter(name);
    const QString defaults = effect->summary(effect->defaultParams());
    QVERIFY2(defaults != name, qPrintable(defaults));
    QVERIFY2(!defaults.isEmpty(), qPrintable(name));
    QCOMPARE(effect->summary(QString()), defaults);  // an empty string means the defaults
    const QString changed = effect->summary(other);
    QVERIFY2(changed != defaults, qPrintable(changed));
    QVERIFY2(changed != name, qPrintable(changed));
}

void TestFilterSummary::summaryInGerman_data()
{
    summaryFollowsTheSettings_data();
}

// Each summary has its German text: none stays English.
void TestFilterSummary::summaryInGerman()
{
    QFETCH(QString, name);
    QFETCH(QString, other);
    const FilterInterface *effect = filter(name);
    const QString english = effect->summary(other);

    QTranslator german;
    QVERIFY(german.load(QLocale(QLocale::German), QStringLiteral("kelvarine"), QStringLiteral("_"),
                        QStringLiteral(":/i18n")));
    QCoreApplication::installTranslator(&german);
    const QString translated = effect->summary(other);
    const QString resize =
        filter(QStringLiteral("Resize"))->summary(QStringLiteral("Type:1,Width:50,Height:50,Radio:0,RadioBy:0"));
    QCoreApplication::removeTranslator(&german);

    QVERIFY2(translated != english, qPrintable(translated));
    QVERIFY2(translated != FilterRegistry::instance().displayNameOf(name), qPrintable(translated));
    QCOMPARE(resize, QStringLiteral("Größe auf 50 % ändern"));
}

QTEST_GUILESS_MAIN(TestFilterSummary)
#include "tst_filtersummary.moc"
