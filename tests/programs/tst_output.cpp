// What the written files carry of a photograph's metadata and orientation,
// through kelvarine-batch on real files made by the image library and Exiv2,
// read back with Exiv2. (Formats, colour, quality and dates: tst_outputformats.)

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

QString resizeToWidth(int width)
{
    return QStringLiteral("Resize=Type:0,Width:%1,Height:1,Radio:1,RadioBy:0").arg(width);
}

QString tool(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

} // namespace

class TestOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void metadataPerFormat_data();
    void metadataPerFormat();
    void orientation_data();
    void orientation();
    void tiffVariantsKeepTheirPages_data();
    void tiffVariantsKeepTheirPages();

private:
    QTemporaryDir m_dir;
    QString m_in;
    QString m_out;
    int m_case = 0;
};

void TestOutput::initTestCase()
{
    initImageLibrary();
    Exiv2::XmpParser::initialize();
    Exiv2::enableBMFF(true);
    QVERIFY2(QFileInfo::exists(program), qPrintable(program));
}

void TestOutput::init()
{
    ++m_case;
    m_in = m_dir.filePath(QStringLiteral("in%1").arg(m_case));
    m_out = m_dir.filePath(QStringLiteral("out%1").arg(m_case));
    QVERIFY(QDir().mkpath(m_in));
}

void TestOutput::metadataPerFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("exif");
    QTest::addColumn<bool>("gps");
    QTest::addColumn<bool>("iptc");
    QTest::addColumn<bool>("xmp");

    // IPTC has no place in WebP and JPEG XL files; the XMP copy of it is what they carry.
    const QList<std::pair<const char *, bool>> formats = {
        {"JPG", true}, {"PNG", true}, {"TIFF", true}, {"WEBP", false}, {"JXL", false}};
    for (const auto &[format, holdsIptc] : formats) {
        QTest::addRow("%s kept", format) << format << "" << true << true << holdsIptc << true;
        QTest::addRow("%s stripped", format) << format << "--strip-metadata" << false << false << false << false;
        QTest::addRow("%s without location", format) << format << "--strip-gps" << true << false << holdsIptc << true;
    }
}

void TestOutput::metadataPerFormat()
{
    QFETCH(QString, format);
    QFETCH(QString, option);
    QFETCH(bool, exif);
    QFETCH(bool, gps);
    QFETCH(bool, iptc);
    QFETCH(bool, xmp);

    writePhoto(m_in + "/photo.jpg", makePicture(320, 200));
    QStringList arguments{"-o", m_out, "-f", format, "--filter", resizeToWidth(160), m_in + "/photo.jpg"};
    if (!option.isEmpty())
        arguments.prepend(option);
    QByteArray output;
    QCOMPARE(quietBatch(arguments, &output), 0);

    const QString result = m_out + "/photo." + format.toLower();
    const Found found = readBack(result);
    QCOMPARE(found.exif, exif);
    QCOMPARE(found.gps, gps);
    QCOMPARE(found.iptc, iptc);
    QCOMPARE(found.xmp, xmp);
    QCOMPARE(found.xmpGps, gps);
    QVERIFY2(found.icc, "the colour profile always stays");
    if (exif) {
        QCOMPARE(found.pixelWidth, 160L);
        QCOMPARE(found.pixelHeight, 100L);
    }
}

void TestOutput::orientation_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("autoOrient");
    QTest::addColumn<bool>("heic");
    for (int orientation : {3, 6, 8}) {
        QTest::addRow("orientation %d as stored", orientation) << orientation << false << false;
        QTest::addRow("orientation %d turned upright", orientation) << orientation << true << false;
    }
    // HEIF viewers show the pixels as decoded and ignore the EXIF orientation.
    QTest::addRow("HEIC with orientation 6") << 6 << false << true;
    QTest::addRow("HEIC with orientation 6, auto-orient") << 6 << true << true;
}

void TestOutput::orientation()
{
    QFETCH(int, orientation);
    QFETCH(bool, autoOrient);
    QFETCH(bool, heic);

    // The picture as the photographer saw it: portrait, 400 x 600; the camera
    // stored it turned, with the EXIF orientation telling how to turn it back.
    const Magick::Image seen = quadrants(400, 600);
    Magick::Image stored = seen;
    stored.rotate(orientation == 3 ? 180 : orientation == 6 ? -90 : 90);
    stored.depth(8);
    writePhoto(m_in + "/portrait.jpg", stored, orientation);
    QString source = m_in + "/portrait.jpg";
    if (heic) {
        if (tool("heif-enc").isEmpty())
            QSKIP("heif-enc is not installed (scripts/setup.sh installs it)");
        source = m_in + "/portrait.heic";
        QByteArray output;
        QVERIFY2(run(tool("heif-enc"), {"-q", "90", "-o", source, m_in + "/portrait.jpg"}, &output) == 0, output.constData());
    }

    QStringList arguments{"-o", m_out, "-f", "JPG", "--filter", resizeToWidth(200), source};
    if (autoOrient)
        arguments.prepend("--auto-orient");
    QCOMPARE(quietBatch(arguments), 0);

    const QString result = m_out + "/portrait.jpg";
    const Magick::Image written = readEncoded(result);
    const Found found = readBack(result);
    if (heic) {
        QCOMPARE(int(written.rows()), int(200 * stored.rows() / stored.columns()));
        QCOMPARE(found.orientation, 1L);
    } else if (!autoOrient) {
        // The stored picture is what is resized, and the tag still turns it for display.
        QCOMPARE(int(written.columns()), 200);
        QCOMPARE(int(written.rows()), int(200 * stored.rows() / stored.columns()));
        QCOMPARE(found.orientation, long(orientation));
    } else {
        QCOMPARE(int(written.columns()), 200);
        QCOMPARE(int(written.rows()), 300);
        QCOMPARE(found.orientation, 1L);
        const QList<double> red = {255, 0, 0};
        const QList<double> yellow = {255, 255, 0};
        QVERIFY2(near(meanColour(written, 20, 20, 60, 100), red, 40), "top left is the seen top left");
        QVERIFY2(near(meanColour(written, 20, 180, 60, 100), yellow, 40), "bottom left is the seen bottom left");
    }
    QCOMPARE(found.pixelWidth, long(written.columns()));
    QCOMPARE(found.pixelHeight, long(written.rows()));
}

void TestOutput::tiffVariantsKeepTheirPages_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("exif");  // Exiv2 writes it after the encoder: TIFF only
    QTest::newRow("TIFF") << "TIFF" << true;
    // Their metadata is their encoder's: Exiv2 cannot write a BigTIFF, and
    // rewriting a pyramid would take its smaller levels for thumbnails.
    QTest::newRow("pyramid TIFF") << "PTIF" << false;
    QTest::newRow("BigTIFF") << "BIGTIFF" << false;
}

// A TIFF of any kind written from a photograph with metadata has every page its
// encoder writes, as the library's own command line makes it.
void TestOutput::tiffVariantsKeepTheirPages()
{
    QFETCH(QString, format);
    QFETCH(bool, exif);
    writePhoto(m_in + "/photo.jpg", makePicture(320, 200));
    QByteArray output;
    QVERIFY2(quietBatch({"-o", m_out, "-f", format, m_in + "/photo.jpg"}, &output) == 0, output.constData());

    const QString result = m_out + "/photo." + format.toLower();
    const QString reference = m_in + "/reference." + format.toLower();
    QCOMPARE(run(QStringLiteral("gm"), {"convert", m_in + "/photo.jpg", format + ':' + reference}), 0);
    std::list<Magick::Image> written;
    std::list<Magick::Image> expected;
    Magick::readImages(&written, QFile::encodeName(result).toStdString());
    Magick::readImages(&expected, QFile::encodeName(reference).toStdString());
    QVERIFY(!expected.empty());
    QCOMPARE(written.size(), expected.size());
    QCOMPARE(written.back().columns(), expected.back().columns());
    QCOMPARE(readBack(result).exif, exif);
}

QTEST_GUILESS_MAIN(TestOutput)
#include "tst_output.moc"
