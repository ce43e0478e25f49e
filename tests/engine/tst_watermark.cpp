#include <QDir>
#include <QFile>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

#include "engine/filters/filterregistry.h"
#include "engine/picture/picturecodec.h"
#include "engine/project/projectreader.h"
#include "engine/project/projectwriter.h"
#include "paramtext.h"
#include "plugintestutils.h"
#include "testutils.h"

using PluginTestUtils::loadFilter;

// The watermark filter: its text values through the parameter string, where it
// draws, how opaque, and how a logo that is no logo fails the picture.
class TestWatermark : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void escapeRoundTrip_data();
    void escapeRoundTrip();
    void unescapeLeavesStrayPercent_data();
    void unescapeLeavesStrayPercent();
    void textValuesSurviveTheString_data();
    void textValuesSurviveTheString();
    void textValuesSurviveAProjectFile_data();
    void textValuesSurviveAProjectFile();
    void defaultStringReadsBack();
    void summarySaysWhatAndWhere_data();
    void summarySaysWhatAndWhere();
    void textLandsAtItsPlace_data();
    void textLandsAtItsPlace();
    void opacityZeroChangesNothing_data();
    void opacityZeroChangesNothing();
    void logoLandsScaled_data();
    void logoLandsScaled();
    void logoOpacityBlends_data();
    void logoOpacityBlends();
    void badLogoFailsThePicture_data();
    void badLogoFailsThePicture();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString logoParams(const QString &logo, int scale, int position, int opacity = 100, int margin = 0) const;
    FilterInterface *m_filter = nullptr;
    QTemporaryDir m_dir;
};

// Texts that break a naive key:value,key:value string, a project file or a
// command line, beside the ordinary ones.
static QStringList hostileTexts()
{
    return {QStringLiteral("\u00a9 Anna"),
            QStringLiteral("a,b:c"),
            QStringLiteral("Key:1,Other:2"),
            QStringLiteral("100% sure %25 %zz %"),
            QStringLiteral("C:\\Photos\\logo.png"),
            QStringLiteral("\"quoted\" and 'single'"),
            QStringLiteral("line one\nline two\r\nthree\ttab"),
            QStringLiteral("Resize=Type:1"),
            QStringLiteral("emoji \U0001F600\U0001F1E9\U0001F1EA"),
            QStringLiteral("\u05E9\u05DC\u05D5\u05DD RTL \u0627\u0644\u0633\u0644\u0627\u0645"),
            QStringLiteral("e\u0301 combining a\u0308\u0332"),
            QStringLiteral("  blanks around  "),
            QStringLiteral("<xml attr=\"&amp;\"/>"),
            QString(QChar(0x7f)) + QStringLiteral("\x01\x1f end"),
            QString()};
}

void TestWatermark::initTestCase()
{
    TestUtils::initImageLibrary();
    QVERIFY(m_dir.isValid());
    m_filter = loadFilter(QStringLiteral("WatermarkEffect"));
    QVERIFY(m_filter);
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
}

void TestWatermark::escapeRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    for (const QString &text : hostileTexts()) {
        QString name = text.left(20);
        for (QChar &c : name)
            c = c.unicode() < 0x20 ? QLatin1Char('?') : c;
        QTest::newRow(qPrintable(name)) << text;
    }
}

void TestWatermark::escapeRoundTrip()
{
    QFETCH(QString, text);
    const QString escaped = ParamText::escaped(text);
    QCOMPARE(ParamText::unescaped(escaped), text);
    for (const QChar reserved : {u',', u':', u'=', u'\n', u'\r'})
        QVERIFY2(!escaped.contains(reserved), qPrintable(escaped));
}

void TestWatermark::unescapeLeavesStrayPercent_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("text");
    QTest::newRow("percent at the end") << "50%" << "50%";
    QTest::newRow("one digit at the end") << "a%4" << "a%4";
    QTest::newRow("not hex") << "%zz" << "%zz";
    QTest::newRow("beyond ASCII stays") << "%E9" << "%E9";
    QTest::newRow("lower-case hex reads") << "a%2cb" << "a,b";
    QTest::newRow("escaped percent is not read twice") << "%2541" << "%41";
}

void TestWatermark::unescapeLeavesStrayPercent()
{
    QFETCH(QString, stored);
    QFETCH(QString, text);
    QCOMPARE(ParamText::unescaped(stored), text);
}

void TestWatermark::textValuesSurviveTheString_data()
{
    escapeRoundTrip_data();
}

void TestWatermark::textValuesSurviveTheString()
{
    QFETCH(QString, text);
    WatermarkParams record;
    record.Kind = 1;
    record.Text = text;
    record.Font = text;
    record.Logo = text;
    record.Size = 7;
    record.Red = 1;
    record.Green = 22;
    record.Blue = 255;
    record.Opacity = 30;
    record.Position = 4;
    record.Margin = 3;
    record.Scale = 40;
    const QString params = m_filter->formatParams(record);
    // Every value stays in its own item: ten items, each with one ':'.
    const QStringList items = params.split(QLatin1Char(','));
    QCOMPARE(items.size(), 10);
    for (const QString &item : items)
        QCOMPARE(item.count(QLatin1Char(':')), 1);

    WatermarkParams read;
    QVERIFY(m_filter->parseParams(params, read));
    QCOMPARE(read.Text, text);
    QCOMPARE(read.Font, text);
    QCOMPARE(read.Logo, text);
    QCOMPARE(read.Kind, 1);
    QCOMPARE(read.Size, 7u);
    QCOMPARE(read.Red, 1u);
    QCOMPARE(read.Green, 22u);
    QCOMPARE(read.Blue, 255u);
    QCOMPARE(read.Opacity, 30u);
    QCOMPARE(read.Position, 4);
    QCOMPARE(read.Margin, 3u);
    QCOMPARE(read.Scale, 40u);
    QCOMPARE(m_filter->formatParams(read), params);
}

void TestWatermark::textValuesSurviveAProjectFile_data()
{
    escapeRoundTrip_data();
}

void TestWatermark::textValuesSurviveAProjectFile()
{
    QFETCH(QString, text);
    WatermarkParams record;
    record.Text = text;
    record.Logo = text + QStringLiteral(".png");
    _ProjectFile project;
    project.filters = {{QStringLiteral("Watermark"), m_filter->formatParams(record)}};
    const QString file = path(QStringLiteral("watermark.bps"));
    QVERIFY(ProjectWriter().write(file, project));
    const Result<_ProjectFile> read = ProjectReader().read(file);
    QVERIFY2(read, qPrintable(read.error()));
    QCOMPARE(read.value().filters.size(), 1);
    QCOMPARE(read.value().filters.first().Params, project.filters.first().Params);
    WatermarkParams back;
    QVERIFY(m_filter->parseParams(read.value().filters.first().Params, back));
    QCOMPARE(back.Text, text);
    QCOMPARE(back.Logo, record.Logo);
}

void TestWatermark::defaultStringReadsBack()
{
    const QString defaults = m_filter->defaultParams();
    WatermarkParams record;
    QVERIFY(m_filter->parseParams(defaults, record));
    QCOMPARE(record.Text, QStringLiteral("\u00a9 "));
    QCOMPARE(record.Position, 8);
    QCOMPARE(record.Opacity, 50u);
    QCOMPARE(m_filter->formatParams(record), defaults);
    QVERIFY(m_filter->parseParams(QStringLiteral("  "), record));
    QCOMPARE(m_filter->formatParams(record), defaults);
}

void TestWatermark::summarySaysWhatAndWhere_data()
{
    QTest::addColumn<QString>("params");
    QTest::addColumn<QString>("summary");
    QTest::newRow("text bottom right")
        << "Kind:0,Text:\u00a9 Anna,Font:DejaVu Sans,Size:5,Color:255255255,Opacity:50,Position:8,Margin:2,Logo:,Scale:20"
        << "Watermark: \u00a9 Anna, bottom right";
    QTest::newRow("logo by its file name")
        << "Kind:1,Text:x,Font:,Size:5,Color:255255255,Opacity:50,Position:0,Margin:2,Logo:/a%2Cb/logo.png,Scale:20"
        << "Watermark: logo.png, top left";
    QTest::newRow("first line of a text")
        << "Kind:0,Text:one%0Atwo,Font:,Size:5,Color:0,Opacity:50,Position:4,Margin:2,Logo:,Scale:20"
        << "Watermark: one, centre";
    QTest::newRow("long text cut")
        << "Kind:0,Text:abcdefghijklmnopqrstuvwxyz0123456789,Font:,Size:5,Color:0,Opacity:50,Position:1,Margin:2,Logo:,Scale:20"
        << "Watermark: abcdefghijklmnopqrstuvwxyz01234\u2026, top";
    QTest::newRow("nothing to say") << "Kind:0,Text:,Font:,Size:5,Color:0,Opacity:50,Position:1,Margin:2,Logo:,Scale:20"
                                    << "Watermark";
    QTest::newRow("unreadable string") << "Kind:0" << "Watermark";
}

void TestWatermark::summarySaysWhatAndWhere()
{
    QFETCH(QString, params);
    QFETCH(QString, summary);
    QCOMPARE(m_filter->summary(params), summary);
}

static QString textParams(const QString &text, int position, int opacity, int margin = 2)
{
    // One arg() for all: an escaped text holds "%25", which a later arg() would fill.
    return QStringLiteral("Kind:0,Text:%1,Font:DejaVu Sans,Size:20,Color:255000000,Opacity:%2,Position:%3,Margin:%4,"
                          "Logo:,Scale:20")
        .arg(ParamText::escaped(text), QString::number(opacity), QString::number(position), QString::number(margin));
}

// Pixels of the region whose colour differs between the two pictures.
static int changedPixels(const Magick::Image &before, const Magick::Image &after, const QRect &region)
{
    const Magick::PixelPacket *a = before.getConstPixels(region.x(), region.y(), region.width(), region.height());
    std::vector<Magick::PixelPacket> copy(a, a + region.width() * region.height());
    const Magick::PixelPacket *b = after.getConstPixels(region.x(), region.y(), region.width(), region.height());
    int changed = 0;
    for (size_t i = 0; i < copy.size(); ++i) {
        if (copy[i].red != b[i].red || copy[i].green != b[i].green || copy[i].blue != b[i].blue)
            ++changed;
    }
    return changed;
}

void TestWatermark::textLandsAtItsPlace_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QPoint>("cell"); // the third of the picture, column and row, that gets the text
    QTest::newRow("top left") << 0 << QPoint(0, 0);
    QTest::newRow("top") << 1 << QPoint(1, 0);
    QTest::newRow("top right") << 2 << QPoint(2, 0);
    QTest::newRow("left") << 3 << QPoint(0, 1);
    QTest::newRow("centre") << 4 << QPoint(1, 1);
    QTest::newRow("right") << 5 << QPoint(2, 1);
    QTest::newRow("bottom left") << 6 << QPoint(0, 2);
    QTest::newRow("bottom") << 7 << QPoint(1, 2);
    QTest::newRow("bottom right") << 8 << QPoint(2, 2);
    QTest::newRow("out of range is bottom right") << 42 << QPoint(2, 2);
}

void TestWatermark::textLandsAtItsPlace()
{
    QFETCH(int, position);
    QFETCH(QPoint, cell);
    const Magick::Image before(Magick::Geometry(600, 300), Magick::Color("gray50"));
    Magick::Image after = before;
    m_filter->apply(textParams(QStringLiteral("WM"), position, 100), after);
    const QSize third(200, 100);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRect region(QPoint(column * third.width(), row * third.height()), third);
            const int changed = changedPixels(before, after, region);
            if (QPoint(column, row) == cell)
                QVERIFY2(changed > 100, qPrintable(QStringLiteral("only %1 pixels changed").arg(changed)));
            else
                QVERIFY2(changed == 0, qPrintable(QStringLiteral("%1 pixels changed in %2,%3").arg(changed).arg(column).arg(row)));
        }
    }
}

QString TestWatermark::logoParams(const QString &logo, int scale, int position, int opacity, int margin) const
{
    return QStringLiteral("Kind:1,Text:,Font:,Size:5,Color:255255255,Opacity:%1,Position:%2,Margin:%3,Logo:%4,Scale:%5")
        .arg(QString::number(opacity), QString::number(position), QString::number(margin), ParamText::escaped(logo),
             QString::number(scale));
}

// A 40 x 20 logo: left half red, right half blue.
static QString writeLogo(const QString &path)
{
    Magick::Image logo(Magick::Geometry(40, 20), Magick::Color("red"));
    logo.fillColor(Magick::Color("blue"));
    logo.draw(Magick::DrawableRectangle(20, 0, 39, 19));
    TestUtils::writeEncoded(path, logo, QStringLiteral("PNG"));
    return path;
}

void TestWatermark::opacityZeroChangesNothing_data()
{
    QTest::addColumn<bool>("logo");
    QTest::newRow("text") << false;
    QTest::newRow("logo") << true;
}

void TestWatermark::opacityZeroChangesNothing()
{
    QFETCH(bool, logo);
    const QString params = logo ? logoParams(writeLogo(path("zero.png")), 50, 4, 0)
                                : textParams(QStringLiteral("Hidden"), 4, 0);
    const Magick::Image before = TestUtils::makePicture(120, 80);
    Magick::Image after = before;
    m_filter->apply(params, after);
    QVERIFY(TestUtils::samePixels(before, after));
    // And at full opacity the same string does draw.
    m_filter->apply(QString(params).replace(QStringLiteral("Opacity:0"), QStringLiteral("Opacity:100")), after);
    QVERIFY(!TestUtils::samePixels(before, after));
}

void TestWatermark::logoLandsScaled_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("margin");
    QTest::addColumn<QPoint>("corner"); // where the scaled logo's top left lands
    // 400 x 300 picture, logo at 25 %: 100 x 50 pixels.
    QTest::newRow("top left, no margin") << 0 << 0 << QPoint(0, 0);
    QTest::newRow("bottom right, no margin") << 8 << 0 << QPoint(300, 250);
    QTest::newRow("bottom right, 10 % margin") << 8 << 10 << QPoint(270, 220);
    QTest::newRow("centre") << 4 << 10 << QPoint(150, 125);
    QTest::newRow("top right, 10 % margin") << 2 << 10 << QPoint(270, 30);
}

void TestWatermark::logoLandsScaled()
{
    QFETCH(int, position);
    QFETCH(int, margin);
    QFETCH(QPoint, corner);
    const QString logo = writeLogo(path("logo.png"));
    Magick::Image picture(Magick::Geometry(400, 300), Magick::Color("black"));
    m_filter->apply(logoParams(logo, 25, position, 100, margin), picture);
    const QList<double> red = {255, 0, 0};
    const QList<double> blue = {0, 0, 255};
    const QList<double> black = {0, 0, 0};
    // Inside each half, away from the seam the resampling blurs.
    QVERIFY(TestUtils::near(TestUtils::meanColour(picture, corner.x() + 5, corner.y() + 5, 40, 40), red, 2));
    QVERIFY(TestUtils::near(TestUtils::meanColour(picture, corner.x() + 55, corner.y() + 5, 40, 40), blue, 2));
    // Just outside the scaled logo, on each side, the picture is as it was.
    if (corner.x() > 0)
        QVERIFY(TestUtils::near(TestUtils::meanColour(picture, corner.x() - 3, corner.y(), 3, 50), black, 0));
    if (corner.x() + 100 < 400)
        QVERIFY(TestUtils::near(TestUtils::meanColour(picture, corner.x() + 100, corner.y(), 3, 50), black, 0));
    if (corner.y() > 0)
        QVERIFY(TestUtils::near(TestUtils::meanColour(picture, corner.x(), corner.y() - 3, 100, 3), black, 0));
    if (corner.y() + 50 < 300)
        QVERIFY(TestUtils::near(TestUtils::meanColour(picture, corner.x(), corner.y() + 50, 100, 3), black, 0));
}

void TestWatermark::logoOpacityBlends_data()
{
    QTest::addColumn<int>("opacity");
    QTest::newRow("full") << 100;
    QTest::newRow("half") << 50;
    QTest::newRow("a quarter") << 25;
    QTest::newRow("beyond 100 is full") << 250;
}

void TestWatermark::logoOpacityBlends()
{
    QFETCH(int, opacity);
    const QString logo = writeLogo(path("blend.png"));
    Magick::Image picture(Magick::Geometry(400, 300), Magick::Color("black"));
    m_filter->apply(logoParams(logo, 25, 0, opacity), picture);
    const double share = std::min(opacity, 100) / 100.0;
    QVERIFY(TestUtils::near(TestUtils::meanColour(picture, 5, 5, 40, 40), {255 * share, 0, 0}, 2));
}

static QByteArray bigEndian(quint32 value)
{
    QByteArray bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char((value >> shift) & 0xff));
    return bytes;
}

static QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    const QByteArray body = type + data;
    quint32 crc = 0xffffffffu;
    for (const char byte : body) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return bigEndian(quint32(data.size())) + body + bigEndian(crc ^ 0xffffffffu);
}

// A PNG whose header claims `width` x `height` pixels, with almost no pixels.
static QByteArray pngHeaderOnly(quint32 width, quint32 height)
{
    const QByteArray rgb8("\x08\x02\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", bigEndian(width) + bigEndian(height) + rgb8)
        + pngChunk("IDAT", QByteArray("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)) + pngChunk("IEND", QByteArray());
}

void TestWatermark::badLogoFailsThePicture_data()
{
    QTest::addColumn<QString>("logo");
    QTest::addColumn<QString>("message");

    QTemporaryDir &dir = m_dir;
    TestUtils::writeJpeg(dir.filePath("photo.png"));
    TestUtils::writeBytes(dir.filePath("notes.png"), "just some words, not a picture\n");
    TestUtils::writeBytes(dir.filePath("giant.png"), pngHeaderOnly(5000, 5000));
    TestUtils::writeBytes(dir.filePath("cut.png"), TestUtils::fileBytes(writeLogo(dir.filePath("whole.png"))).left(60));
    QByteArray heavy("\x89PNG\r\n\x1a\n", 8);
    heavy.append(QByteArray(21 * 1024 * 1024, '\0'));
    TestUtils::writeBytes(dir.filePath("heavy.png"), heavy);
    QVERIFY(QDir(dir.path()).mkdir("folder.png"));

    QTest::newRow("missing file") << dir.filePath("nowhere, really: 100%.png") << "does not exist";
    QTest::newRow("no file chosen") << QString() << "No logo file";
    QTest::newRow("a folder") << dir.filePath("folder.png") << "is not a file";
    QTest::newRow("a device") << "/dev/zero" << "is not a file";
    QTest::newRow("a JPEG named .png") << dir.filePath("photo.png") << "is not a PNG";
    QTest::newRow("a text file") << dir.filePath("notes.png") << "is not a PNG";
    QTest::newRow("a header of 25 megapixels") << dir.filePath("giant.png") << "too large";
    QTest::newRow("a file beyond 20 MB") << dir.filePath("heavy.png") << "too large";
    QTest::newRow("a PNG cut short") << dir.filePath("cut.png") << "cannot be read";
}

void TestWatermark::badLogoFailsThePicture()
{
    QFETCH(QString, logo);
    QFETCH(QString, message);
    const Magick::Image before = TestUtils::makePicture(60, 40);
    Magick::Image picture = before;
    // The program's own way of running a chain: the failure is that picture's.
    const Status applied = PictureCodec::applyChain(TestUtils::chainOf({{"Watermark", logoParams(logo, 20, 8)}}), picture);
    QVERIFY(!applied);
    QVERIFY2(applied.error().contains(message), qPrintable(applied.error()));
    if (!logo.isEmpty())
        QVERIFY2(applied.error().contains(logo), qPrintable(applied.error()));
    QVERIFY(TestUtils::samePixels(before, picture));
}

QTEST_GUILESS_MAIN(TestWatermark)
#include "tst_watermark.moc"
