#include <QTemporaryDir>
#include <QTest>

#include "engine/batch/conversionjob.h"
#include "engine/filters/filterregistry.h"
#include "engine/picture/decodesize.h"
#include "engine/picture/picturecodec.h"
#include "engine/picture/picturepipeline.h"
#include "engine/picture/sandboxdecoder.h"
#include "metadatautils.h"
#include "plugintestutils.h"
#include "testutils.h"

using PluginTestUtils::applyFilter;
using PluginTestUtils::loadFilter;
using Rows = QList<QPair<QString, QString>>;

class TestFitFilter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void matchesGraphicsMagick_data();
    void matchesGraphicsMagick();
    void summarySaysTheSettings_data();
    void summarySaysTheSettings();
    void chainAsksForReducedDecoding_data();
    void chainAsksForReducedDecoding();
    void decoderTakesTheHint_data();
    void decoderTakesTheHint();
    void renderDecodesOnlyWhatFitKeeps();
    void turnedPhotographFitsUpright();

private:
    QTemporaryDir m_dir;
    QString m_photo;  // 3200 x 2400, upright
};

namespace {

Magick::Image fitted(Magick::Image image, const QString &params)
{
    applyFilter(QStringLiteral("FitEffect"), params, image);
    return image;
}

// The size a picture of `size` takes fitted into the box, as the library rounds it.
QSize fittedSize(QSize size, QSize box)
{
    const double scale = std::min(double(box.width()) / size.width(), double(box.height()) / size.height());
    return QSize(int(size.width() * scale + 0.5), int(size.height() * scale + 0.5));
}

} // namespace

void TestFitFilter::initTestCase()
{
    TestUtils::initImageLibrary();
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QVERIFY(loadFilter(QStringLiteral("FitEffect")));
    QVERIFY(m_dir.isValid());
    m_photo = m_dir.filePath(QStringLiteral("photo.jpg"));
    MetadataUtils::writePhoto(m_photo, TestUtils::makePicture(3200, 2400));
}

void TestFitFilter::matchesGraphicsMagick_data()
{
    QTest::addColumn<QString>("params");
    QTest::addColumn<QSize>("input");
    QTest::addColumn<QStringList>("gmArguments");
    QTest::addColumn<QSize>("output");

    const QStringList lanczos{"-filter", "Lanczos", "-resize"};
    QTest::newRow("landscape into a square box") << "Width:120,Height:120,Enlarge:0,Sharpen:0" << QSize(300, 200)
                                                 << lanczos + QStringList{"120x120>"} << QSize(120, 80);
    QTest::newRow("portrait into a square box") << "Width:120,Height:120,Enlarge:0,Sharpen:0" << QSize(200, 300)
                                                << lanczos + QStringList{"120x120>"} << QSize(80, 120);
    QTest::newRow("wide box: the height leads") << "Width:200,Height:50,Enlarge:0,Sharpen:0" << QSize(300, 200)
                                                << lanczos + QStringList{"200x50>"} << QSize(75, 50);
    QTest::newRow("tall box: the width leads") << "Width:60,Height:500,Enlarge:0,Sharpen:0" << QSize(300, 200)
                                               << lanczos + QStringList{"60x500>"} << QSize(60, 40);
    QTest::newRow("smaller picture is kept") << "Width:120,Height:120,Enlarge:0,Sharpen:0" << QSize(100, 80)
                                             << QStringList() << QSize(100, 80);
    QTest::newRow("enlarged when asked") << "Width:120,Height:120,Enlarge:1,Sharpen:0" << QSize(100, 80)
                                         << lanczos + QStringList{"120x120"} << QSize(120, 96);
    QTest::newRow("enlarge other than 1 does not") << "Width:120,Height:120,Enlarge:2,Sharpen:0" << QSize(100, 80)
                                                   << QStringList() << QSize(100, 80);
    QTest::newRow("larger picture shrinks with enlarge on") << "Width:120,Height:120,Enlarge:1,Sharpen:0"
                                                            << QSize(300, 200) << lanczos + QStringList{"120x120"}
                                                            << QSize(120, 80);
    QTest::newRow("sharpen 30") << "Width:120,Height:120,Enlarge:0,Sharpen:30" << QSize(300, 200)
                                << lanczos + QStringList{"120x120>", "-unsharp", "2x0.8+0.6+0.02"} << QSize(120, 80);
    QTest::newRow("sharpen 100") << "Width:120,Height:120,Enlarge:0,Sharpen:100" << QSize(300, 200)
                                 << lanczos + QStringList{"120x120>", "-unsharp", "2x0.8+2+0.02"} << QSize(120, 80);
    QTest::newRow("sharpen beyond 100 is 100") << "Width:120,Height:120,Enlarge:0,Sharpen:2147483647" << QSize(300, 200)
                                               << lanczos + QStringList{"120x120>", "-unsharp", "2x0.8+2+0.02"}
                                               << QSize(120, 80);
    QTest::newRow("negative sharpen is none") << "Width:120,Height:120,Enlarge:0,Sharpen:-40" << QSize(300, 200)
                                              << lanczos + QStringList{"120x120>"} << QSize(120, 80);
    QTest::newRow("a kept picture is sharpened too") << "Width:120,Height:120,Enlarge:0,Sharpen:50" << QSize(100, 80)
                                                     << QStringList{"-unsharp", "2x0.8+1+0.02"} << QSize(100, 80);
    QTest::newRow("blank string is the default box") << "  " << QSize(2000, 1000)
                                                     << lanczos + QStringList{"1600x1600>"} << QSize(1600, 800);
    // Hostile strings: a box without area holds nothing; the picture stays.
    QTest::newRow("zero box") << "Width:0,Height:0,Enlarge:1,Sharpen:50" << QSize(300, 200) << QStringList()
                              << QSize(300, 200);
    QTest::newRow("negative width") << "Width:-5,Height:120,Enlarge:0,Sharpen:0" << QSize(300, 200) << QStringList()
                                    << QSize(300, 200);
    QTest::newRow("huge box keeps the picture") << "Width:2147483647,Height:2147483647,Enlarge:0,Sharpen:0"
                                                << QSize(300, 200) << QStringList() << QSize(300, 200);
    QTest::newRow("too few items") << "Width:120,Height:120" << QSize(300, 200) << QStringList() << QSize(300, 200);
}

void TestFitFilter::matchesGraphicsMagick()
{
    QFETCH(QString, params);
    QFETCH(QSize, input);
    QFETCH(QStringList, gmArguments);
    QFETCH(QSize, output);

    const Magick::Image original = TestUtils::makePicture(input.width(), input.height());
    const Magick::Image image = fitted(original, params);
    QCOMPARE(QSize(int(image.columns()), int(image.rows())), output);
    const Magick::Image expected = gmArguments.isEmpty() ? original : TestUtils::gmConvert(original, gmArguments);
    QCOMPARE(TestUtils::maxSampleDifference(image, expected), 0);
}

void TestFitFilter::summarySaysTheSettings_data()
{
    QTest::addColumn<QString>("params");
    QTest::addColumn<QString>("summary");

    QTest::newRow("default") << "Width:1600,Height:1600,Enlarge:0,Sharpen:0" << "Fit within 1600 × 1600";
    QTest::newRow("blank is the default") << "" << "Fit within 1600 × 1600";
    QTest::newRow("sharpened") << "Width:800,Height:600,Enlarge:0,Sharpen:30" << "Fit within 800 × 600, sharpen 30";
    QTest::newRow("may enlarge") << "Width:800,Height:600,Enlarge:1,Sharpen:0" << "Fit within 800 × 600, may enlarge";
    QTest::newRow("both") << "Width:2048,Height:2048,Enlarge:1,Sharpen:100"
                          << "Fit within 2048 × 2048, sharpen 100, may enlarge";
    QTest::newRow("sharpen said as applied") << "Width:800,Height:600,Enlarge:0,Sharpen:400"
                                             << "Fit within 800 × 600, sharpen 100";
    QTest::newRow("unreadable string: the name") << "Width" << "Fit";
}

void TestFitFilter::summarySaysTheSettings()
{
    QFETCH(QString, params);
    QFETCH(QString, summary);
    QCOMPARE(loadFilter(QStringLiteral("FitEffect"))->summary(params), summary);
}

void TestFitFilter::chainAsksForReducedDecoding_data()
{
    QTest::addColumn<Rows>("chain");
    QTest::addColumn<QSize>("box");

    const QPair<QString, QString> fit{"Fit", "Width:800,Height:600,Enlarge:0,Sharpen:20"};
    const QPair<QString, QString> flip{"Flip", "Vertical:1,Horizontal:0"};
    QTest::newRow("fit alone") << Rows{fit} << QSize(800, 600);
    QTest::newRow("fit first") << Rows{fit, flip} << QSize(800, 600);
    QTest::newRow("fit after another filter") << Rows{flip, fit} << QSize();
    QTest::newRow("fit that may enlarge") << Rows{{"Fit", "Width:800,Height:600,Enlarge:1,Sharpen:0"}} << QSize(800, 600);
    QTest::newRow("fit's default") << Rows{{"Fit", " "}} << QSize(1600, 1600);
    QTest::newRow("fit into nothing") << Rows{{"Fit", "Width:0,Height:600,Enlarge:0,Sharpen:0"}} << QSize();
    QTest::newRow("fit unreadable") << Rows{{"Fit", "Width"}} << QSize();
    QTest::newRow("resize first") << Rows{{"Resize", "Type:1,Width:10,Height:10,Radio:0,RadioBy:0"}} << QSize();
    QTest::newRow("no chain") << Rows{} << QSize();
}

void TestFitFilter::chainAsksForReducedDecoding()
{
    QFETCH(Rows, chain);
    QFETCH(QSize, box);
    const DecodeSize size = DecodeSize::forChain(TestUtils::chainOf(chain));
    QCOMPARE(size.isWhole(), box.isEmpty());
    QCOMPARE(size.box(), box);
    QCOMPARE(DecodeSize::fromArgument(size.toArgument()).box(), box);
}

void TestFitFilter::decoderTakesTheHint_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<bool>("apart");
    QTest::addColumn<bool>("reduced");

    QTest::newRow("square box") << 1 << QSize(400, 400) << false << true;
    QTest::newRow("square box, decoded by the helper") << 1 << QSize(400, 400) << true << true;
    QTest::newRow("wide box") << 1 << QSize(600, 300) << false << true;
    QTest::newRow("turned photograph, wide box") << 6 << QSize(600, 300) << false << true;
    QTest::newRow("turned photograph, tall box") << 8 << QSize(300, 600) << true << true;
    QTest::newRow("half the picture still twice the pixels kept") << 1 << QSize(1000, 1000) << false << true;
    QTest::newRow("box too near the picture") << 1 << QSize(1200, 1200) << false << false;
    QTest::newRow("box larger than the picture") << 1 << QSize(5000, 5000) << false << false;
}

// The decoded picture is smaller than stored, yet holds at least twice the pixels
// Fit keeps of it once upright; or whole where that would not be smaller.
void TestFitFilter::decoderTakesTheHint()
{
    QFETCH(int, orientation);
    QFETCH(QSize, box);
    QFETCH(bool, apart);
    QFETCH(bool, reduced);

    const QString path = m_dir.filePath(QStringLiteral("turned%1.jpg").arg(orientation));
    if (orientation != 1)
        MetadataUtils::writePhoto(path, TestUtils::makePicture(3200, 2400), orientation);
    SandboxDecoder::setDecodesEverythingApart(apart);
    const Result<Magick::Image> decoded =
        PictureCodec::decode(orientation == 1 ? m_photo : path, false, DecodeSize(box.width(), box.height()));
    SandboxDecoder::setDecodesEverythingApart(false);
    QVERIFY2(decoded, qPrintable(decoded.error()));

    QSize size(int(decoded.value().columns()), int(decoded.value().rows()));
    if (!reduced) {
        QCOMPARE(size, QSize(3200, 2400));
        return;
    }
    QVERIFY2(size.width() < 3200 && size.height() < 2400, qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
    if (orientation >= 5)
        size.transpose();
    const QSize upright = orientation >= 5 ? QSize(2400, 3200) : QSize(3200, 2400);
    const QSize kept = fittedSize(upright, box);
    QVERIFY2(qint64(size.width()) * size.height() >= 2 * qint64(kept.width()) * kept.height()
                 && size.width() * size.width() >= 2 * kept.width() * kept.width()
                 && size.height() * size.height() >= 2 * kept.height() * kept.height(),
             qPrintable(QStringLiteral("%1 x %2 for %3 x %4").arg(size.width()).arg(size.height()).arg(kept.width()).arg(kept.height())));
}

// The wizard's preview and both front ends' conversions decode through the same
// render: a chain that starts with Fit gets the reduced picture, any other the
// whole one.
void TestFitFilter::renderDecodesOnlyWhatFitKeeps()
{
    const QString params = QStringLiteral("Width:400,Height:400,Enlarge:0,Sharpen:30");
    const Result<Magick::Image> whole = PictureCodec::decode(m_photo);
    const Result<Magick::Image> small = PictureCodec::decode(m_photo, false, DecodeSize(400, 400));
    QVERIFY(whole && small);
    // The decoding helper, when it decodes everything, hands over the same reduced picture.
    SandboxDecoder::setDecodesEverythingApart(true);
    const Result<Magick::Image> apart = PictureCodec::decode(m_photo, false, DecodeSize(400, 400));
    SandboxDecoder::setDecodesEverythingApart(false);
    QVERIFY(apart && TestUtils::samePixels(apart.value(), small.value()));

    const Result<Magick::Image> rendered = PicturePipeline::render(m_photo, TestUtils::chainOf({{"Fit", params}}));
    QVERIFY(rendered);
    QCOMPARE(QSize(int(rendered.value().columns()), int(rendered.value().rows())), QSize(400, 300));
    QVERIFY(TestUtils::samePixels(rendered.value(), fitted(small.value(), params)));
    QVERIFY(!TestUtils::samePixels(rendered.value(), fitted(whole.value(), params)));

    const Rows flipFirst{{"Flip", "Vertical:1,Horizontal:0"}, {"Fit", params}};
    const Result<Magick::Image> flippedFirst = PicturePipeline::render(m_photo, TestUtils::chainOf(flipFirst));
    QVERIFY(flippedFirst);
    Magick::Image expected = whole.value();
    expected.flip();
    QVERIFY(TestUtils::samePixels(flippedFirst.value(), fitted(expected, params)));
}

void TestFitFilter::turnedPhotographFitsUpright()
{
    const QString path = m_dir.filePath(QStringLiteral("upright6.jpg"));
    MetadataUtils::writePhoto(path, TestUtils::makePicture(3200, 2400), 6);
    ConversionJob job = TestUtils::jobFor(QStringLiteral("JPG"), m_dir.path(),
                                          TestUtils::chainOf({{"Fit", "Width:900,Height:300,Enlarge:0,Sharpen:0"}}));
    job.output.autoOrient = true;
    const Result<RenderedPicture> rendered = PicturePipeline::render(path, job);
    QVERIFY2(rendered, qPrintable(rendered.error()));
    QCOMPARE(QSize(int(rendered.value().image.columns()), int(rendered.value().image.rows())), QSize(225, 300));
}

QTEST_GUILESS_MAIN(TestFitFilter)
#include "tst_fitfilter.moc"
