#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include "engine/runtime/imagelibrary.h"
#include "engine/picture/picturecodec.h"
#include "testutils.h"

using namespace TestUtils;

// Decoding reads the picture and nothing else, and a picture too large for the
// memory fails before its pixels are decoded.
class TestDecodeSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void namedFilesAreNotOpened_data();
    void namedFilesAreNotOpened();
    void plainDrawingConverts();
    void programsNamedAsPicturesAreRefused_data();
    void programsNamedAsPicturesAreRefused();
    void decoderRemarkKeepsPicture_data();
    void decoderRemarkKeepsPicture();
    void overBudgetFailsAtOnce_data();
    void overBudgetFailsAtOnce();
    void batchTakesMaxMegapixels();
    void onlyTheFirstPageIsDecoded();
    void hostileInProcessFailsAlone_data();
    void hostileInProcessFailsAlone();

private:
    QString secretPath() const { return m_dir.filePath(QStringLiteral("secret.png")); }
    QString hugePng();

    QTemporaryDir m_dir;
};

namespace {

const QString program = QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch");

QByteArray svgShowing(const QByteArray &href)
{
    return "<?xml version=\"1.0\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "width=\"32\" height=\"32\"><rect width=\"32\" height=\"32\" fill=\"blue\"/>"
           "<image x=\"0\" y=\"0\" width=\"32\" height=\"32\" xlink:href=\"" + href + "\"/></svg>\n";
}

bool isRed(const Magick::Color &colour)
{
    return colour.redQuantum() > MaxRGB / 2 && colour.greenQuantum() < MaxRGB / 4 && colour.blueQuantum() < MaxRGB / 4;
}

// CRC-32 of PNG chunks.
quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

} // namespace

void TestDecodeSafety::initTestCase()
{
    initImageLibrary();
    writeEncoded(secretPath(), Magick::Image(Magick::Geometry(32, 32), Magick::Color("red")), "PNG");
}

// A small PNG whose header declares 20000 x 20000 pixels (400 megapixels, some
// 3 GB decoded): one row of data, the height patched afterwards.
QString TestDecodeSafety::hugePng()
{
    const QString path = m_dir.filePath(QStringLiteral("huge.png"));
    Magick::Image row(Magick::Geometry(20000, 1), Magick::Color("white"));
    Magick::Blob blob;
    row.magick("PNG");
    row.write(&blob);
    QByteArray png(static_cast<const char *>(blob.data()), int(blob.length()));
    const QByteArray height("\x00\x00\x4e\x20", 4);  // 20000, big-endian
    png.replace(20, 4, height);
    const quint32 crc = crc32(png.mid(12, 17));
    for (int i = 0; i < 4; ++i)
        png[29 + i] = char(crc >> (24 - 8 * i));
    writeBytes(path, png);
    return path;
}

void TestDecodeSafety::namedFilesAreNotOpened_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");

    const QByteArray secret = QFile::encodeName(secretPath());
    // A "photo" that holds a drawing must not be read as one, whatever it names.
    QTest::newRow("svg named .jpg") << "holiday.jpg" << svgShowing(secret);
    QTest::newRow("PostScript named .jpg") << "scan.jpg" << QByteArray("%!PS-Adobe-3.0\n1 0 0 setrgbcolor clippath fill showpage\n");
    // Under its own suffix it is read, but what it names is not.
    QTest::newRow("svg naming a path") << "drawing.svg" << svgShowing(secret);
    QTest::newRow("svg naming a file URL") << "url.svg" << svgShowing("file://" + secret);
    QTest::newRow("svg naming a relative path") << "relative.svg" << svgShowing("secret.png");
    QTest::newRow("drawing commands naming a path")
        << "commands.mvg"
        << QByteArray("viewbox 0 0 32 32\nfill blue\nrectangle 0,0 32,32\nimage over 0,0 32,32 \"" + secret + "\"\n");
}

void TestDecodeSafety::namedFilesAreNotOpened()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);

    const QString path = m_dir.filePath(name);
    writeBytes(path, content);
    // A relative name is looked up from the working folder: be where the secret is.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    const Result<Magick::Image> decoded = PictureCodec::decode(path);
    QDir::setCurrent(previous);
    // Refusing the whole file is as good.
    if (decoded) {
        const Magick::Image &image = decoded.value();
        QVERIFY2(!isRed(image.pixelColor(image.columns() / 2, image.rows() / 2)), "drawn as the file asked");
    }
}

void TestDecodeSafety::plainDrawingConverts()
{
    const QString path = m_dir.filePath(QStringLiteral("plain.svg"));
    writeBytes(path, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20\" height=\"10\">"
                     "<rect width=\"20\" height=\"10\" fill=\"#00ff00\"/></svg>\n");
    const Result<Magick::Image> decoded = PictureCodec::decode(path);
    QVERIFY2(decoded, qPrintable(decoded.error()));
    const Magick::Image &image = decoded.value();
    QCOMPARE(image.columns(), 20u);
    QCOMPARE(image.rows(), 10u);
    const Magick::Color centre = image.pixelColor(10, 5);
    QVERIFY(centre.greenQuantum() > MaxRGB / 2 && centre.redQuantum() < MaxRGB / 4);
}

void TestDecodeSafety::programsNamedAsPicturesAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("format");

    QTest::newRow("PostScript named .jpg") << "scan.jpg" << QByteArray("%!PS-Adobe-3.0\nshowpage\n") << "PS";
    // Read as a font, it is drawn as a specimen sheet through Ghostscript: a
    // minute for these few bytes.
    QTest::newRow("Type 1 font named .jpg")
        << "font.jpg" << QByteArray("%!PS-AdobeFont-1.0: Hostile 001.000\n/FontName /Hostile def\n") << "PFA";
    // Read as MPEG, the library runs an outside decoder through the shell.
    QTest::newRow("MPEG named .png") << "clip.png" << QByteArray("\x00\x00\x01\xb3\x01\x00\x10\x13\xff\xff", 10)
                                     << "MPEG";
    QTest::newRow("FIG drawing named .tif") << "plan.tif" << QByteArray("#FIG 3.2\nLandscape\n") << "FIG";
}

// Refused before any decoder runs, with the reason, and at once.
void TestDecodeSafety::programsNamedAsPicturesAreRefused()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, format);

    const QString path = m_dir.filePath(name);
    writeBytes(path, content);
    const Result<Magick::Image> decoded = PictureCodec::decode(path);
    QVERIFY2(!decoded, "decoded a program named as a picture");
    const QString refusal = decoded.error();
    QVERIFY2(refusal.contains(QLatin1String(" data, which is read only from a file named .")), qPrintable(refusal));
    QVERIFY2(refusal.contains(format), qPrintable(refusal));
}

void TestDecodeSafety::decoderRemarkKeepsPicture_data()
{
    QTest::addColumn<QString>("magick");
    QTest::addColumn<bool>("whole");

    // libpng only remarks on an ancillary chunk it ignores (here a gamma of 0; an
    // outdated sRGB profile, common in photographs, is another).
    QTest::newRow("PNG with a gamma of 0") << "PNG" << true;
    // The decoder warns too, but half a picture is no conversion.
    QTest::newRow("JPEG cut short") << "JPEG" << false;
}

void TestDecodeSafety::decoderRemarkKeepsPicture()
{
    QFETCH(QString, magick);
    QFETCH(bool, whole);

    const QString path = m_dir.filePath(QStringLiteral("remark.") + magick.toLower());
    writeEncoded(path, makePicture(120, 80), magick);
    QByteArray bytes = fileBytes(path);
    if (whole) {
        const QByteArray gamma = QByteArray("gAMA") + QByteArray(4, '\0');
        const quint32 crc = crc32(gamma);
        QByteArray chunk = QByteArray("\x00\x00\x00\x04", 4) + gamma;
        for (int i = 0; i < 4; ++i)
            chunk.append(char(crc >> (24 - 8 * i)));
        bytes.insert(33, chunk);  // after the header chunk
    } else {
        bytes.chop(bytes.size() / 2);
    }
    writeBytes(path, bytes);
    const Result<Magick::Image> image = PictureCodec::decode(path);
    const bool decoded = image && image.value().columns() == 120;
    QCOMPARE(decoded, whole);
}

void TestDecodeSafety::overBudgetFailsAtOnce_data()
{
    QTest::addColumn<int>("megapixels");
    QTest::addColumn<QString>("budget");
    QTest::addColumn<QString>("size");

    QTest::newRow("budget given") << 100 << "100.0 megapixels" << "20000 x 20000";
    // Past a few budgets the library refuses to tell the size.
    QTest::newRow("budget far below the size") << 5 << "5.0 megapixels" << "larger than";
    // From the memory: as many pictures at once as make 400 megapixels too many.
    QTest::newRow("budget from the memory") << 0 << "megapixels" << "20000 x 20000";
}

void TestDecodeSafety::overBudgetFailsAtOnce()
{
    QFETCH(int, megapixels);
    QFETCH(QString, budget);
    QFETCH(QString, size);

    const QString path = hugePng();
    int pictures = 1;
    while (ImageLibrary::budgetFor(ImageLibrary::physicalMemory(), pictures) >= 400'000'000LL)
        ++pictures;
    ImageLibrary::setPicturesAtOnce(pictures);
    ImageLibrary::setMaxMegapixels(megapixels);
    QElapsedTimer clock;
    clock.start();
    const QString message = PictureCodec::decode(path).error();
    const qint64 elapsed = clock.elapsed();
    ImageLibrary::setPicturesAtOnce(1);
    ImageLibrary::setMaxMegapixels(0);
    QVERIFY2(message.contains(size) && message.contains(budget), qPrintable(message));
    QVERIFY2(elapsed < 2000, qPrintable(QStringLiteral("took %1 ms").arg(elapsed)));
}

void TestDecodeSafety::batchTakesMaxMegapixels()
{
    const QString huge = hugePng();
    const QString small = m_dir.filePath(QStringLiteral("small.png"));
    writeEncoded(small, makePicture(40, 30), "PNG");
    const QString out = m_dir.filePath(QStringLiteral("out"));
    QByteArray output;
    const int code = run(program, {huge, small, "-o", out, "-f", "BMP", "--max-megapixels", "100", "-q"}, &output);
    QVERIFY2(code == 1, output.constData());
    QVERIFY2(output.contains("20000 x 20000") && output.contains("100.0 megapixels"), output.constData());
    QCOMPARE(folderEntries(out), QStringList{"small.bmp"});
    QCOMPARE(run(program, {small, "-o", out, "--max-megapixels", "0"}, &output), 2);
}

void TestDecodeSafety::onlyTheFirstPageIsDecoded()
{
    // A picture is its first page; the pages after it, however many, are neither
    // read nor measured. Here the second page is cut short.
    const QString path = m_dir.filePath(QStringLiteral("pages.gif"));
    QList<Magick::Image> pages{makePicture(40, 30), makePicture(50, 20)};
    Magick::writeImages(pages.begin(), pages.end(), QFile::encodeName(path).toStdString(), true);
    QByteArray bytes = fileBytes(path);
    bytes.chop(20);
    writeBytes(path, bytes);
    const Result<Magick::Image> decoded = PictureCodec::decode(path);
    QVERIFY2(decoded, qPrintable(decoded.error()));
    QCOMPARE(decoded.value().columns(), 40u);
}

// JPEG, PNG and TIFF are decoded in the program itself, not by the decoding
// helper: a damaged or lying file of theirs must fail that one picture, quickly,
// and leave the batch going.
void TestDecodeSafety::hostileInProcessFailsAlone_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("converted");  // 1 converted, 0 failed, -1 either

    QTest::newRow("JPEG cut short") << "cut.jpg" << "cut" << 0;
    QTest::newRow("JPEG declaring 60000 x 60000") << "lying.jpg" << "size" << 0;
    QTest::newRow("PNG declaring 20000 x 20000") << "huge.png" << "size" << 0;
    QTest::newRow("TIFF declaring 60000 x 60000") << "lying.tif" << "size" << 0;
    QTest::newRow("TIFF cut short") << "cut.tif" << "cut" << 0;
    QTest::newRow("JPEG with 8 MB of comments") << "talkative.jpg" << "metadata" << 1;
    QTest::newRow("PNG with a 16 MB text chunk") << "talkative.png" << "metadata" << -1;
}

void TestDecodeSafety::hostileInProcessFailsAlone()
{
    QFETCH(QString, name);
    QFETCH(QString, damage);
    QFETCH(int, converted);

    const QString folder = m_dir.filePath(QStringLiteral("hostile-") + QString::number(qHash(name)));
    QDir().mkpath(folder);
    const QString path = folder + '/' + name;
    const QString suffix = QFileInfo(name).suffix();
    const QString magick = suffix == QLatin1String("jpg") ? "JPEG" : suffix == QLatin1String("png") ? "PNG" : "TIFF";
    QByteArray bytes;
    if (damage == QLatin1String("size") && magick == QLatin1String("PNG")) {
        bytes = fileBytes(hugePng());
    } else {
        writeEncoded(path, makePicture(200, 150), magick);
        bytes = fileBytes(path);
    }
    if (damage == QLatin1String("cut")) {
        bytes.chop(bytes.size() / 2);
    } else if (damage == QLatin1String("size") && magick == QLatin1String("JPEG")) {
        const int frame = bytes.indexOf("\xff\xc0");
        QVERIFY(frame > 0);
        bytes.replace(frame + 5, 4, QByteArray("\xea\x60\xea\x60", 4));
    } else if (damage == QLatin1String("size")  && magick == QLatin1String("TIFF")) {
        // Little- or big-endian, the first directory's width and length.
        const bool little = bytes.startsWith("II");
        auto number = [&](int at, int size) {
            quint32 value = 0;
            for (int i = 0; i < size; ++i)
                value |= quint32(quint8(bytes[at + (little ? i : size - 1 - i)])) << (8 * i);
            return value;
        };
        const int directory = int(number(4, 4));
        for (int entry = 0; entry < int(number(directory, 2)); ++entry) {
            const int at = directory + 2 + 12 * entry;
            const quint32 tag = number(at, 2);
            if (tag == 256 || tag == 257) {
                const int type = int(number(at + 2, 2));
                bytes[at + 8 + (little ? 0 : (type == 3 ? 0 : 2))] = little ? '\x60' : '\xea';
                bytes[at + 9 + (little ? 0 : (type == 3 ? 0 : 2))] = little ? '\xea' : '\x60';
            }
        }
    } else if (damage == QLatin1String("metadata") && magick == QLatin1String("JPEG")) {
        QByteArray comments;
        for (int i = 0; i < 128; ++i)
            comments += QByteArray("\xff\xfe\xff\xff", 4) + QByteArray(65533, 'x');
        bytes.insert(2, comments);
    } else if (damage == QLatin1String("metadata")) {
        const QByteArray text = QByteArray("tEXt") + "Comment" + '\0' + QByteArray(16 << 20, 'x');
        QByteArray chunk;
        for (int i = 0; i < 4; ++i)
            chunk.append(char((text.size() - 4) >> (24 - 8 * i)));
        chunk += text;
        const quint32 crc = crc32(text);
        for (int i = 0; i < 4; ++i)
            chunk.append(char(crc >> (24 - 8 * i)));
        bytes.insert(33, chunk);
    }
    writeBytes(path, bytes);
    writeEncoded(folder + "/a_good.png", makePicture(40, 30), "PNG");
    writeEncoded(folder + "/z_good.png", makePicture(40, 30), "PNG");

    const QString out = folder + "/out";
    QByteArray output;
    QElapsedTimer clock;
    clock.start();
    const int code = run(program, {folder + "/a_good.png", path, folder + "/z_good.png", "-o", out, "-f", "BMP", "-q"},
                         &output);
    QVERIFY2(clock.elapsed() < 20000, qPrintable(QStringLiteral("took %1 ms").arg(clock.elapsed())));
    QVERIFY2(code == 0 || code == 1, output.constData());
    const QStringList written = folderEntries(out);
    QVERIFY2(written.contains("a_good.bmp") && written.contains("z_good.bmp"), output.constData());
    const bool done = written.size() == 3;
    QCOMPARE(code, done ? 0 : 1);
    if (converted >= 0)
        QVERIFY2(done == (converted == 1), output.constData());
}

QTEST_GUILESS_MAIN(TestDecodeSafety)
#include "tst_decodesafety.moc"
