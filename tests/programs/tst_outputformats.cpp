// What the written files are: lossless TIFF, modern and raw formats read,
// colour, transparency, quality, permissions and dates, through kelvarine-batch
// on real files made by the image library. (Metadata and orientation: tst_output.)

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

#include <exiv2/exiv2.hpp>

#include <sys/stat.h>

#include "engine/picture/outputimage.h"
#include "metadatautils.h"
#include "testutils.h"

using namespace MetadataUtils;
using namespace TestUtils;

namespace {

const QString program = QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch");
const QString cmykProfilePath = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");

QString tool(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

} // namespace

class TestOutputFormats : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void tiffIsLossless();
    void phoneFormatsAreRead_data();
    void phoneFormatsAreRead();
    void cameraRawIsDeveloped();
    void cmykBecomesSrgbThroughItsProfile();
    void transparencyOnWhite();
    void quality_data();
    void quality();
    void modesAndTimes_data();
    void modesAndTimes();

private:
    QTemporaryDir m_dir;
    QString m_in;
    QString m_out;
    int m_case = 0;
};

void TestOutputFormats::initTestCase()
{
    initImageLibrary();
    Exiv2::XmpParser::initialize();
    Exiv2::enableBMFF(true);
    QVERIFY2(QFileInfo::exists(program), qPrintable(program));
}

void TestOutputFormats::init()
{
    ++m_case;
    m_in = m_dir.filePath(QStringLiteral("in%1").arg(m_case));
    m_out = m_dir.filePath(QStringLiteral("out%1").arg(m_case));
    QVERIFY(QDir().mkpath(m_in));
}

void TestOutputFormats::tiffIsLossless()
{
    writePhoto(m_in + "/photo.jpg", makePicture(300, 200));
    {
        // Cameras put a thumbnail into the EXIF; in a TIFF it must not become a page.
        Magick::Image thumbnail = makePicture(60, 40);
        thumbnail.depth(8);
        Magick::Blob jpeg;
        thumbnail.magick("JPEG");
        thumbnail.write(&jpeg);
        auto photo = Exiv2::ImageFactory::open(QFile::encodeName(m_in + "/photo.jpg").toStdString());
        photo->readMetadata();
        Exiv2::ExifThumb(photo->exifData()).setJpegThumbnail(static_cast<const Exiv2::byte *>(jpeg.data()), long(jpeg.length()));
        photo->writeMetadata();
    }
    QCOMPARE(quietBatch({"-o", m_out, "-f", "TIFF", m_in + "/photo.jpg"}), 0);
    QCOMPARE(pageCount(m_out + "/photo.tiff"), 1);
    const Magick::Image tiff = readEncoded(m_out + "/photo.tiff");
    QVERIFY(tiff.compressType() != Magick::JPEGCompression);
    QVERIFY(samePixels(tiff, readEncoded(m_in + "/photo.jpg")));
    QVERIFY2(readBack(m_out + "/photo.tiff").gps, "TIFF keeps EXIF and its location");
}

void TestOutputFormats::phoneFormatsAreRead_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("encoder");
    QTest::addColumn<QStringList>("encoderArguments");
    QTest::newRow("HEIC") << "heic" << "heif-enc" << QStringList{"-q", "90"};
    QTest::newRow("AVIF") << "avif" << "heif-enc" << QStringList{"-A", "-q", "90"};
    QTest::newRow("JPEG XL") << "jxl" << "cjxl" << QStringList{"-q", "95"};
    QTest::newRow("WebP") << "webp" << "" << QStringList();
}

void TestOutputFormats::phoneFormatsAreRead()
{
    QFETCH(QString, suffix);
    QFETCH(QString, encoder);
    QFETCH(QStringList, encoderArguments);

    Magick::Image original = quadrants(240, 160);
    original.depth(8);  // the AV1 encoder trips over 16-bit input
    const QString picture = m_in + "/phone." + suffix;
    if (encoder.isEmpty()) {
        writeEncoded(picture, original, suffix.toUpper());
    } else {
        if (tool(encoder).isEmpty())
            QSKIP(qPrintable(encoder + " is not installed (scripts/setup.sh installs it)"));
        writeEncoded(m_in + "/source.png", original, "PNG");
        QByteArray output;
        const QStringList files = encoder == "cjxl" ? QStringList{m_in + "/source.png", picture}
                                                    : QStringList{"-o", picture, m_in + "/source.png"};
        const int code = run(tool(encoder), encoder == "cjxl" ? files + encoderArguments : encoderArguments + files, &output);
        QVERIFY2(code == 0, output.constData());
        QFile::remove(m_in + "/source.png");
    }

    // Given as a folder: the name patterns must find the file too.
    QCOMPARE(quietBatch({"-o", m_out, "-f", "PNG", m_in}), 0);
    const Magick::Image written = readEncoded(m_out + "/phone.png");
    QCOMPARE(int(written.columns()), 240);
    QCOMPARE(int(written.rows()), 160);
    QVERIFY(near(meanColour(written, 10, 10, 100, 60), {255, 0, 0}, 12));
    QVERIFY(near(meanColour(written, 130, 90, 100, 60), {0, 0, 255}, 12));
}

void TestOutputFormats::cameraRawIsDeveloped()
{
    if (tool("dcraw").isEmpty())
        QSKIP("dcraw is not installed (scripts/setup.sh installs it)");
    writeBytes(m_in + "/camera.dng", linearDng(64, 48));
    QCOMPARE(quietBatch({"-o", m_out, "-f", "PNG", m_in}), 0);
    const Magick::Image developed = readEncoded(m_out + "/camera.png");
    QCOMPARE(int(developed.columns()), 64);
    const QList<double> left = meanColour(developed, 4, 4, 24, 40);
    const QList<double> right = meanColour(developed, 36, 4, 24, 40);
    QVERIFY2(left.at(0) > 200 && left.at(2) < 120, "the left half is red");
    QVERIFY2(right.at(2) > 200 && right.at(0) < 120, "the right half is blue");
}

void TestOutputFormats::cmykBecomesSrgbThroughItsProfile()
{
    if (!QFileInfo::exists(cmykProfilePath))
        QSKIP("no CMYK colour profile (package libgs-common)");
    QFile profileFile(cmykProfilePath);
    QVERIFY(profileFile.open(QIODevice::ReadOnly));
    const QByteArray profile = profileFile.readAll();

    // A colour well inside what print can show, so the round trip is faithful.
    Magick::Image rgb(Magick::Geometry(200, 150), Magick::Color("#967860"));
    rgb.iccColorProfile(OutputImage::srgbProfile());
    Magick::Image cmyk = rgb;
    cmyk.iccColorProfile(Magick::Blob(profile.constData(), size_t(profile.size())));
    QCOMPARE(cmyk.colorSpace(), Magick::CMYKColorspace);
    writeEncoded(m_in + "/print.jpg", cmyk, "JPEG");

    QCOMPARE(quietBatch({"-o", m_out, "-f", "PNG", m_in + "/print.jpg"}), 0);
    const Magick::Image png = readEncoded(m_out + "/print.png");
    QVERIFY(near(meanColour(png, 0, 0, 200, 150), meanColour(rgb, 0, 0, 200, 150), 4));
}

void TestOutputFormats::transparencyOnWhite()
{
    // Left half red, right half transparent black.
    Magick::Image picture(Magick::Geometry(100, 100), Magick::Color("none"));
    picture.fillColor("red");
    picture.draw(Magick::DrawableRectangle(0, 0, 49, 99));
    writeEncoded(m_in + "/cut.png", picture, "PNG");

    QCOMPARE(quietBatch({"-o", m_out, "-f", "JPG", m_in + "/cut.png"}), 0);
    const Magick::Image jpeg = readEncoded(m_out + "/cut.jpg");
    QVERIFY(near(meanColour(jpeg, 60, 10, 30, 80), {255, 255, 255}, 3));
    QVERIFY(near(meanColour(jpeg, 10, 10, 30, 80), {255, 0, 0}, 6));
}

void TestOutputFormats::quality_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("JPEG") << "JPG";
    QTest::newRow("WebP") << "WEBP";
    QTest::newRow("JPEG XL") << "JXL";
}

void TestOutputFormats::quality()
{
    QFETCH(QString, format);
    writeEncoded(m_in + "/photo.png", makePicture(400, 300), "PNG");
    const QString file = m_out + "/photo." + format.toLower();

    QCOMPARE(quietBatch({"-o", m_out, "-f", format, m_in + "/photo.png"}), 0);
    const qint64 byDefault = QFileInfo(file).size();
    QCOMPARE(quietBatch({"--overwrite", "overwrite", "--quality", "77", "-o", m_out, "-f", format, m_in + "/photo.png"}), 0);
    QCOMPARE(QFileInfo(file).size(), byDefault);
    QCOMPARE(quietBatch({"--overwrite", "overwrite", "--quality", "98", "-o", m_out, "-f", format, m_in + "/photo.png"}), 0);
    QVERIFY2(QFileInfo(file).size() > byDefault * 3 / 2, "a higher quality keeps more detail");
    QCOMPARE(quietBatch({"--quality", "0", "-o", m_out, "-f", format, m_in + "/photo.png"}), 2);
}

void TestOutputFormats::modesAndTimes_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("keepDate");
    QTest::addColumn<bool>("sameTime");
    QTest::newRow("converted") << "PNG" << false << false;
    QTest::newRow("converted, date kept") << "PNG" << true << true;
    QTest::newRow("copied") << "Original" << false << true;
}

void TestOutputFormats::modesAndTimes()
{
    QFETCH(QString, format);
    QFETCH(bool, keepDate);
    QFETCH(bool, sameTime);

    const QString source = m_in + "/private.jpg";
    writePhoto(source, makePicture(120, 80));
    QVERIFY(::chmod(QFile::encodeName(source).constData(), 0600) == 0);
    const QDateTime taken = QDateTime::fromString("2009-07-14T10:30:00Z", Qt::ISODate);
    QFile file(source);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(taken, QFileDevice::FileModificationTime));
    file.close();

    QStringList arguments{"-o", m_out, "-f", format, source};
    if (keepDate)
        arguments.prepend("--keep-date");
    QCOMPARE(quietBatch(arguments), 0);

    const QString result = m_out + "/private." + (format == "Original" ? QStringLiteral("jpg") : format.toLower());
    struct stat status;
    QVERIFY(::stat(QFile::encodeName(result).constData(), &status) == 0);
    QCOMPARE(status.st_mode & 0777, mode_t(0600));
    QCOMPARE(QFileInfo(result).lastModified() == taken, sameTime);
}

QTEST_GUILESS_MAIN(TestOutputFormats)
#include "tst_outputformats.moc"
