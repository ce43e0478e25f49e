// What the written files carry: quality, metadata, orientation, modern formats,
// colour, transparency, permissions and dates, through kelvarine-batch on real
// files made by the image library and Exiv2, read back with Exiv2.

#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

#include <exiv2/exiv2.hpp>

#include <sys/stat.h>

#include "engine/picture/outputimage.h"
#include "testutils.h"

using namespace TestUtils;

namespace {

const QString program = QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch");
const QString cmykProfilePath = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");

int batch(const QStringList &arguments, QByteArray *output = nullptr)
{
    QByteArray ignored;
    return run(program, QStringList{"-q"} + arguments, output ? output : &ignored);
}

QString resizeToWidth(int width)
{
    return QStringLiteral("Resize=Type:0,Width:%1,Height:1,Radio:1,RadioBy:0").arg(width);
}

// A photograph as a camera leaves it: EXIF with a location, IPTC, XMP and an
// sRGB profile, stored `orientation` (EXIF values 1 to 8).
void writePhoto(const QString &path, Magick::Image image, int orientation = 1)
{
    image.depth(8);
    image.iccColorProfile(OutputImage::srgbProfile());
    writeEncoded(path, image, "JPEG");

    auto photo = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    photo->readMetadata();  // or Exiv2 would write the file without its colour profile
    Exiv2::ExifData exif;
    exif["Exif.Image.Make"] = "Kelvarine Test Camera";
    exif["Exif.Image.Orientation"] = uint16_t(orientation);
    exif["Exif.Photo.PixelXDimension"] = uint32_t(image.columns());
    exif["Exif.Photo.PixelYDimension"] = uint32_t(image.rows());
    exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
    exif["Exif.GPSInfo.GPSLatitude"] = "56/1 9/1 21/1";
    Exiv2::IptcData iptc;
    iptc["Iptc.Application2.Keywords"] = "harbour";
    Exiv2::XmpData xmp;
    xmp["Xmp.dc.creator"] = "Ann Example";
    xmp["Xmp.exif.GPSLatitude"] = "56,9.35N";
    photo->setExifData(exif);
    photo->setIptcData(iptc);
    photo->setXmpData(xmp);
    photo->writeMetadata();
}

struct Found
{
    bool exif = false;
    bool gps = false;
    bool iptc = false;
    bool xmp = false;
    bool xmpGps = false;
    bool icc = false;
    long orientation = 0;
    long pixelWidth = 0;
    long pixelHeight = 0;
};

Found readBack(const QString &path)
{
    Found found;
    // Exiv2 reads JPEG XL only in the container that metadata needs; a bare
    // code stream carries none.
    found.icc = readEncoded(path).iccColorProfile().length() > 0;
    Exiv2::Image::AutoPtr file;
    try {
        file = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    } catch (const Exiv2::AnyError &) {
        return found;
    }
    file->readMetadata();
    const Exiv2::ExifData &exif = file->exifData();
    found.exif = exif.findKey(Exiv2::ExifKey("Exif.Image.Make")) != exif.end();
    found.gps = exif.findKey(Exiv2::ExifKey("Exif.GPSInfo.GPSLatitude")) != exif.end();
    auto tag = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    found.orientation = tag != exif.end() ? tag->toLong() : 0;
    tag = exif.findKey(Exiv2::ExifKey("Exif.Photo.PixelXDimension"));
    found.pixelWidth = tag != exif.end() ? tag->toLong() : 0;
    tag = exif.findKey(Exiv2::ExifKey("Exif.Photo.PixelYDimension"));
    found.pixelHeight = tag != exif.end() ? tag->toLong() : 0;
    found.iptc = file->iptcData().findKey(Exiv2::IptcKey("Iptc.Application2.Keywords")) != file->iptcData().end();
    found.xmp = file->xmpData().findKey(Exiv2::XmpKey("Xmp.dc.creator")) != file->xmpData().end();
    found.xmpGps = file->xmpData().findKey(Exiv2::XmpKey("Xmp.exif.GPSLatitude")) != file->xmpData().end();
    return found;
}

// Mean colour of a region on the 0..255 scale.
QList<double> meanColour(const Magick::Image &picture, int x, int y, int width, int height)
{
    Magick::Image region = picture;
    region.crop(Magick::Geometry(unsigned(width), unsigned(height), x, y));
    region.scale(Magick::Geometry("1x1!"));
    const Magick::ColorRGB c = region.pixelColor(0, 0);
    return {c.red() * 255, c.green() * 255, c.blue() * 255};
}

bool near(const QList<double> &a, const QList<double> &b, double levels)
{
    for (int i = 0; i < 3; ++i) {
        if (std::abs(a.at(i) - b.at(i)) > levels)
            return false;
    }
    return true;
}

// Four quadrants of clearly different colours, so a turn or a mirror shows.
Magick::Image quadrants(int width, int height)
{
    Magick::Image image(Magick::Geometry(unsigned(width), unsigned(height)), Magick::Color("blue"));
    image.fillColor("red");
    image.draw(Magick::DrawableRectangle(0, 0, width / 2 - 1, height / 2 - 1));
    image.fillColor("lime");
    image.draw(Magick::DrawableRectangle(width / 2, 0, width - 1, height / 2 - 1));
    image.fillColor("yellow");
    image.draw(Magick::DrawableRectangle(0, height / 2, width / 2 - 1, height - 1));
    return image;
}

// A linear DNG as raw converters write it: TIFF inside, but with pixels that
// only the raw helper program develops. Left half red, right half blue.
QByteArray linearDng(int width, int height)
{
    QByteArray pixels;
    QDataStream samples(&pixels, QIODevice::WriteOnly);
    samples.setByteOrder(QDataStream::LittleEndian);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2;
            samples << quint16(left ? 60000 : 4000) << quint16(4000) << quint16(left ? 4000 : 60000);
        }
    }
    struct Entry
    {
        quint16 tag;
        quint16 type;  // 1 byte, 2 ASCII, 3 short, 4 long, 10 signed rational
        quint32 count;
        quint32 value;
    };
    const int entryCount = 14;
    const quint32 dataStart = 8 + 2 + entryCount * 12 + 4;
    QByteArray data;
    auto place = [&](const QByteArray &bytes) {
        const quint32 offset = dataStart + quint32(data.size());
        data += bytes;
        return offset;
    };
    const quint32 bits = place(QByteArray::fromHex("100010001000"));
    const QByteArray model("Kelvarine Test", 15);  // with its terminating zero
    const quint32 modelAt = place(model);
    QByteArray identity;
    QDataStream matrix(&identity, QIODevice::WriteOnly);
    matrix.setByteOrder(QDataStream::LittleEndian);
    for (int i = 0; i < 9; ++i)
        matrix << qint32(i % 4 == 0 ? 1 : 0) << qint32(1);
    const quint32 colourMatrix = place(identity);
    const quint32 strip = place(pixels);
    const QList<Entry> entries = {
        {254, 4, 1, 0},        {256, 3, 1, quint32(width)}, {257, 3, 1, quint32(height)},
        {258, 3, 3, bits},     {259, 3, 1, 1},              {262, 3, 1, 34892},  // linear raw
        {273, 4, 1, strip},    {277, 3, 1, 3},              {278, 3, 1, quint32(height)},
        {279, 4, 1, quint32(pixels.size())}, {284, 3, 1, 1}, {50706, 1, 4, 0x0401},  // DNG 1.4
        {50708, 2, quint32(model.size()), modelAt}, {50721, 10, 9, colourMatrix}};
    QByteArray file("II*\0", 4);
    QDataStream out(&file, QIODevice::WriteOnly | QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(8) << quint16(entryCount);
    for (const Entry &entry : entries) {
        out << entry.tag << entry.type << entry.count;
        if (entry.type == 3 && entry.count == 1)
            out << quint16(entry.value) << quint16(0);
        else
            out << entry.value;
    }
    out << quint32(0);
    return file + data;
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
    QCOMPARE(batch(arguments, &output), 0);

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
    QCOMPARE(batch(arguments), 0);

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

void TestOutput::tiffIsLossless()
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
    QCOMPARE(batch({"-o", m_out, "-f", "TIFF", m_in + "/photo.jpg"}), 0);
    QCOMPARE(pageCount(m_out + "/photo.tiff"), 1);
    const Magick::Image tiff = readEncoded(m_out + "/photo.tiff");
    QVERIFY(tiff.compressType() != Magick::JPEGCompression);
    QVERIFY(samePixels(tiff, readEncoded(m_in + "/photo.jpg")));
    QVERIFY2(readBack(m_out + "/photo.tiff").gps, "TIFF keeps EXIF and its location");
}

void TestOutput::phoneFormatsAreRead_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("encoder");
    QTest::addColumn<QStringList>("encoderArguments");
    QTest::newRow("HEIC") << "heic" << "heif-enc" << QStringList{"-q", "90"};
    QTest::newRow("AVIF") << "avif" << "heif-enc" << QStringList{"-A", "-q", "90"};
    QTest::newRow("JPEG XL") << "jxl" << "cjxl" << QStringList{"-q", "95"};
    QTest::newRow("WebP") << "webp" << "" << QStringList();
}

void TestOutput::phoneFormatsAreRead()
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
    QCOMPARE(batch({"-o", m_out, "-f", "PNG", m_in}), 0);
    const Magick::Image written = readEncoded(m_out + "/phone.png");
    QCOMPARE(int(written.columns()), 240);
    QCOMPARE(int(written.rows()), 160);
    QVERIFY(near(meanColour(written, 10, 10, 100, 60), {255, 0, 0}, 12));
    QVERIFY(near(meanColour(written, 130, 90, 100, 60), {0, 0, 255}, 12));
}

void TestOutput::cameraRawIsDeveloped()
{
    if (tool("dcraw").isEmpty())
        QSKIP("dcraw is not installed (scripts/setup.sh installs it)");
    writeBytes(m_in + "/camera.dng", linearDng(64, 48));
    QCOMPARE(batch({"-o", m_out, "-f", "PNG", m_in}), 0);
    const Magick::Image developed = readEncoded(m_out + "/camera.png");
    QCOMPARE(int(developed.columns()), 64);
    const QList<double> left = meanColour(developed, 4, 4, 24, 40);
    const QList<double> right = meanColour(developed, 36, 4, 24, 40);
    QVERIFY2(left.at(0) > 200 && left.at(2) < 120, "the left half is red");
    QVERIFY2(right.at(2) > 200 && right.at(0) < 120, "the right half is blue");
}

void TestOutput::cmykBecomesSrgbThroughItsProfile()
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

    QCOMPARE(batch({"-o", m_out, "-f", "PNG", m_in + "/print.jpg"}), 0);
    const Magick::Image png = readEncoded(m_out + "/print.png");
    QVERIFY(near(meanColour(png, 0, 0, 200, 150), meanColour(rgb, 0, 0, 200, 150), 4));
}

void TestOutput::transparencyOnWhite()
{
    // Left half red, right half transparent black.
    Magick::Image picture(Magick::Geometry(100, 100), Magick::Color("none"));
    picture.fillColor("red");
    picture.draw(Magick::DrawableRectangle(0, 0, 49, 99));
    writeEncoded(m_in + "/cut.png", picture, "PNG");

    QCOMPARE(batch({"-o", m_out, "-f", "JPG", m_in + "/cut.png"}), 0);
    const Magick::Image jpeg = readEncoded(m_out + "/cut.jpg");
    QVERIFY(near(meanColour(jpeg, 60, 10, 30, 80), {255, 255, 255}, 3));
    QVERIFY(near(meanColour(jpeg, 10, 10, 30, 80), {255, 0, 0}, 6));
}

void TestOutput::quality_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("JPEG") << "JPG";
    QTest::newRow("WebP") << "WEBP";
    QTest::newRow("JPEG XL") << "JXL";
}

void TestOutput::quality()
{
    QFETCH(QString, format);
    writeEncoded(m_in + "/photo.png", makePicture(400, 300), "PNG");
    const QString file = m_out + "/photo." + format.toLower();

    QCOMPARE(batch({"-o", m_out, "-f", format, m_in + "/photo.png"}), 0);
    const qint64 byDefault = QFileInfo(file).size();
    QCOMPARE(batch({"--overwrite", "overwrite", "--quality", "77", "-o", m_out, "-f", format, m_in + "/photo.png"}), 0);
    QCOMPARE(QFileInfo(file).size(), byDefault);
    QCOMPARE(batch({"--overwrite", "overwrite", "--quality", "98", "-o", m_out, "-f", format, m_in + "/photo.png"}), 0);
    QVERIFY2(QFileInfo(file).size() > byDefault * 3 / 2, "a higher quality keeps more detail");
    QCOMPARE(batch({"--quality", "0", "-o", m_out, "-f", format, m_in + "/photo.png"}), 2);
}

void TestOutput::modesAndTimes_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("keepDate");
    QTest::addColumn<bool>("sameTime");
    QTest::newRow("converted") << "PNG" << false << false;
    QTest::newRow("converted, date kept") << "PNG" << true << true;
    QTest::newRow("copied") << "Original" << false << true;
}

void TestOutput::modesAndTimes()
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
    QCOMPARE(batch(arguments), 0);

    const QString result = m_out + "/private." + (format == "Original" ? QStringLiteral("jpg") : format.toLower());
    struct stat status;
    QVERIFY(::stat(QFile::encodeName(result).constData(), &status) == 0);
    QCOMPARE(status.st_mode & 0777, mode_t(0600));
    QCOMPARE(QFileInfo(result).lastModified() == taken, sameTime);
}

QTEST_GUILESS_MAIN(TestOutput)
#include "tst_output.moc"
