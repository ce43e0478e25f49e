#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include "engine/runtime/imagelibrary.h"
#include "engine/picture/outputimage.h"
#include "engine/picture/picturecodec.h"
#include "engine/picture/sandboxdecoder.h"
#include "testutils.h"

using namespace TestUtils;

// A picture decoded by the decoding helper and handed back is written byte for
// byte as the same picture decoded in process: pixels, colour maps, profiles,
// metadata and every attribute the encoders read.
class TestDecodeTransfer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void helperDecodesAsInProcess_data();
    void helperDecodesAsInProcess();
    void helperKeepsWhatEncodersUse_data();
    void helperKeepsWhatEncodersUse();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

namespace {

const QString program = QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch");


// A minimal EXIF block: the picture is to be turned a quarter clockwise.
Magick::Blob exifTurned()
{
    const QByteArray exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 32);
    return Magick::Blob(exif.constData(), size_t(exif.size()));
}

} // namespace

void TestDecodeTransfer::initTestCase()
{
    initImageLibrary();
}

void TestDecodeTransfer::cleanup()
{
    SandboxDecoder::setDecodesEverythingApart(false);
}

void TestDecodeTransfer::helperDecodesAsInProcess_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("options");

    for (const QString source : {"JPEG", "PNG", "TIFF"}) {
        for (const QString format : {"JPG", "PNG", "TIFF", "WEBP"}) {
            QTest::addRow("%s to %s, metadata kept", qPrintable(source), qPrintable(format))
                << source << format << QStringList();
            QTest::addRow("%s to %s, auto-orient", qPrintable(source), qPrintable(format))
                << source << format << QStringList{"--auto-orient"};
        }
    }
    QTest::newRow("JPEG to JPG, metadata stripped") << "JPEG" << "JPG" << QStringList{"--strip-metadata"};
}

void TestDecodeTransfer::helperDecodesAsInProcess()
{
    QFETCH(QString, source);
    QFETCH(QString, format);
    QFETCH(QStringList, options);

    Magick::Image picture = makePicture(90, 60);
    picture.comment("taken on a Sunday");
    picture.iccColorProfile(OutputImage::srgbProfile());
    picture.resolutionUnits(Magick::PixelsPerInchResolution);
    picture.density(Magick::Geometry(300, 300));
    if (source == QLatin1String("JPEG"))
        picture.profile("EXIF", exifTurned());
    else
        picture.orientation(Magick::RightTopOrientation);
    const QString file = path(QStringLiteral("parity.") + source.toLower());
    writeEncoded(file, picture, source);

    const QTemporaryDir outputs;
    const QString in = outputs.filePath(QStringLiteral("in"));
    const QString out = outputs.filePath(QStringLiteral("apart"));
    QByteArray inProcess;
    QByteArray apart;
    const QStringList arguments = QStringList{file, "-f", format, "-q"} + options;
    QCOMPARE(runBatch(arguments + QStringList{"-o", in}, {{"KELVARINE_DECODE_APART", "0"}}, &inProcess), 0);
    QCOMPARE(runBatch(arguments + QStringList{"-o", out}, {{"KELVARINE_DECODE_APART", "1"}}, &apart), 0);
    const QStringList written = folderEntries(in);
    QCOMPARE(written.size(), 1);
    QCOMPARE(folderEntries(out), written);
    const QByteArray expected = fileBytes(in + '/' + written.first());
    QVERIFY(!expected.isEmpty());
    QVERIFY2(fileBytes(out + '/' + written.first()) == expected, "the helper's picture is encoded otherwise");
}

void TestDecodeTransfer::helperKeepsWhatEncodersUse_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("target");

    // Colour indexes and palettes, CMYK with its alpha beside the pixels, grey,
    // 16 bits: everything the picture holds beyond plain pixels.
    QTest::newRow("GIF palette to GIF") << "GIF" << "palette" << "GIF";
    QTest::newRow("GIF palette to PNG") << "GIF" << "palette" << "PNG";
    QTest::newRow("CMYK TIFF with alpha to TIFF") << "TIFF" << "cmyka" << "TIFF";
    QTest::newRow("grey PNG to PNG") << "PNG" << "grey" << "PNG";
    QTest::newRow("16-bit PNG to PNG") << "PNG" << "deep" << "PNG";
    QTest::newRow("BMP to JPG") << "BMP" << "plain" << "JPG";
}

void TestDecodeTransfer::helperKeepsWhatEncodersUse()
{
    QFETCH(QString, source);
    QFETCH(QString, kind);
    QFETCH(QString, target);

    Magick::Image picture = makePicture(70, 50);
    if (kind == QLatin1String("palette")) {
        picture.quantizeColors(32);
        picture.quantize();
    } else if (kind == QLatin1String("cmyka")) {
        picture.matte(true);
        picture.colorSpace(Magick::CMYKColorspace);
    } else if (kind == QLatin1String("grey")) {
        picture.type(Magick::GrayscaleType);
    } else if (kind == QLatin1String("deep")) {
        picture.depth(16);
    }
    const QString file = path(QStringLiteral("kept.") + source.toLower());
    writeEncoded(file, picture, source);

    auto encoded = [&](const Result<Magick::Image> &decoded) {
        if (!decoded)
            return QByteArray();
        Magick::Image image = decoded.value();
        FILE *stream = std::tmpfile();
        const Status written = PictureCodec::write(image, target, -1, stream);
        if (!written) {
            std::fclose(stream);
            return QByteArray();
        }
        QByteArray bytes(int(std::ftell(stream)), '\0');
        std::rewind(stream);
        const size_t got = std::fread(bytes.data(), 1, size_t(bytes.size()), stream);
        std::fclose(stream);
        bytes.resize(int(got));
        return bytes;
    };
    const Result<Magick::Image> decodedHere = PictureCodec::decodeInProcess(file, false);
    QVERIFY2(decodedHere, qPrintable(decodedHere.error()));
    const QByteArray here = encoded(decodedHere);
    SandboxDecoder::setDecodesEverythingApart(true);
    const Result<Magick::Image> decodedApart = PictureCodec::decode(file);
    QVERIFY2(decodedApart, qPrintable(decodedApart.error()));
    const QByteArray apart = encoded(decodedApart);
    QVERIFY(!here.isEmpty());
    QVERIFY2(apart == here, "the helper's picture is encoded otherwise");
}

QTEST_GUILESS_MAIN(TestDecodeTransfer)
#include "tst_decodetransfer.moc"
