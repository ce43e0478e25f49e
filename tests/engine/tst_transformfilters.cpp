#include <QTest>

#include "plugintestutils.h"
#include "testutils.h"

using PluginTestUtils::applyFilter;
using PluginTestUtils::loadFilter;

class TestTransformFilters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtils::initImageLibrary(); }
    void matchesGraphicsMagick_data();
    void matchesGraphicsMagick();
    void resizeReadsItemsByPosition();
};

void TestTransformFilters::matchesGraphicsMagick_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("params");
    QTest::addColumn<QSize>("input");
    QTest::addColumn<QStringList>("gmArguments");
    QTest::addColumn<QSize>("output");

    QTest::newRow("resize percent rounds half up")
        << "ResizeEffect" << "Type:1,Width:50,Height:50,Radio:0,RadioBy:0" << QSize(1001, 667)
        << QStringList{"-scale", "501x334!"} << QSize(501, 334);
    QTest::newRow("resize percent ignores the ratio flag")
        << "ResizeEffect" << "Type:1,Width:50,Height:20,Radio:1,RadioBy:0" << QSize(300, 200)
        << QStringList{"-scale", "150x40!"} << QSize(150, 40);
    QTest::newRow("resize pixels by width keeps ratio")
        << "ResizeEffect" << "Type:0,Width:200,Height:1,Radio:1,RadioBy:0" << QSize(400, 300)
        << QStringList{"-scale", "200x150!"} << QSize(200, 150);
    QTest::newRow("resize pixels by height keeps ratio")
        << "ResizeEffect" << "Type:0,Width:1,Height:150,Radio:1,RadioBy:1" << QSize(400, 300)
        << QStringList{"-scale", "200x150!"} << QSize(200, 150);
    QTest::newRow("resize pixels exact")
        << "ResizeEffect" << "Type:0,Width:123,Height:45,Radio:0,RadioBy:0" << QSize(400, 300)
        << QStringList{"-scale", "123x45!"} << QSize(123, 45);
    QTest::newRow("crop percent")
        << "CropEffect" << "Type:1,Width:50,Height:50,xOffset:25,yOffset:25" << QSize(1000, 800)
        << QStringList{"-crop", "500x400+250+200"} << QSize(500, 400);
    QTest::newRow("crop pixels")
        << "CropEffect" << "Type:0,Width:60,Height:40,xOffset:7,yOffset:9" << QSize(200, 100)
        << QStringList{"-crop", "60x40+7+9"} << QSize(60, 40);
    QTest::newRow("roll percent drops the remainder")
        << "RollEffect" << "Type:1,Columns:50,Rows:0" << QSize(999, 100)
        << QStringList{"-roll", "+499+0"} << QSize(999, 100);
    QTest::newRow("roll pixels")
        << "RollEffect" << "Type:0,Columns:30,Rows:12" << QSize(200, 100)
        << QStringList{"-roll", "+30+12"} << QSize(200, 100);
    QTest::newRow("flip top to bottom")
        << "FlipEffect" << "Vertical:1,Horizontal:0" << QSize(80, 60) << QStringList{"-flip"} << QSize(80, 60);
    QTest::newRow("flip left to right")
        << "FlipEffect" << "Vertical:0,Horizontal:1" << QSize(80, 60) << QStringList{"-flop"} << QSize(80, 60);
    QTest::newRow("flip both turns by 180")
        << "FlipEffect" << "Vertical:1,Horizontal:1" << QSize(80, 60) << QStringList{"-rotate", "180"}
        << QSize(80, 60);
    QTest::newRow("flip with 2 does nothing")
        << "FlipEffect" << "Vertical:2,Horizontal:0" << QSize(80, 60) << QStringList{} << QSize(80, 60);
    QTest::newRow("rotate quarter turn")
        << "RotateEffect" << "Degree:90" << QSize(80, 60) << QStringList{"-rotate", "90"} << QSize(60, 80);
    QTest::newRow("rotate negative")
        << "RotateEffect" << "Degree:-90" << QSize(80, 60) << QStringList{"-rotate", "-90"} << QSize(60, 80);
    QTest::newRow("rotate odd angle")
        << "RotateEffect" << "Degree:30" << QSize(80, 60) << QStringList{"-rotate", "30"} << QSize();
}

void TestTransformFilters::matchesGraphicsMagick()
{
    QFETCH(QString, plugin);
    QFETCH(QString, params);
    QFETCH(QSize, input);
    QFETCH(QStringList, gmArguments);
    QFETCH(QSize, output);

    const Magick::Image original = TestUtils::makePicture(input.width(), input.height());
    Magick::Image image = original;
    QVERIFY(applyFilter(plugin, params, image));
    if (output.isValid()) {
        QCOMPARE(int(image.columns()), output.width());
        QCOMPARE(int(image.rows()), output.height());
    }
    const Magick::Image expected = TestUtils::gmConvert(original, gmArguments);
    QCOMPARE(TestUtils::maxSampleDifference(image, expected), 0);
}

void TestTransformFilters::resizeReadsItemsByPosition()
{
    // Keys are never compared: the first item fills Type whatever its key says,
    // so this is percent mode with 50 x 50.
    FilterInterface *filter = loadFilter(QStringLiteral("ResizeEffect"));
    QVERIFY(filter);
    ResizeParams record;
    QVERIFY(filter->parseParams(QStringLiteral("Radio:1,Type:1,Width:50,Height:50,RadioBy:0"), record));
    QCOMPARE(record.Type, 1);
    QCOMPARE(record.Width, 1);
    QCOMPARE(record.Height, 50);
    QCOMPARE(record.Radio, 50);
}

QTEST_GUILESS_MAIN(TestTransformFilters)
#include "tst_transformfilters.moc"
