// "Remove the location" and "Remove metadata" on every path a picture takes
// through kelvarine-batch (copied, or encoded into each format), and metadata
// that stays valid and bounded: extended XMP in JPEG files, packets too large
// to parse, colour profiles that lie or do not fit the pixels. Outputs are read
// back with Exiv2, exiftool and by their bytes, never with the program's code.

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <exiv2/exiv2.hpp>

#include "metadatautils.h"
#include "engine/picture/outputimage.h"
#include "testutils.h"

using namespace TestUtils;
using namespace MetadataUtils;

namespace {

const QString program = QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch");
const QString cmykProfilePath = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");

QString suffixOf(const QString &format)
{
    static const QMap<QString, QString> suffixes = {{"JPEG", "jpg"}, {"PNG", "png"}, {"TIFF", "tiff"},
                                                    {"WEBP", "webp"}, {"GIF", "gif"}, {"BMP", "bmp"}};
    return suffixes.value(format, format.toLower());
}

// An XMP packet of `count` properties of its own besides a creator, `extra`
// bytes each.
std::string manyProperties(int count, int extra)
{
    std::string packet = "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?><x:xmpmeta xmlns:x='adobe:ns:meta/'>"
                         "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
                         "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'"
                         " xmlns:kt='http://example.com/kelvarine-test/' xmlns:exif='http://ns.adobe.com/exif/1.0/'>"
                         "<dc:creator><rdf:Seq><rdf:li>KEPT Ann Example</rdf:li></rdf:Seq></dc:creator>"
                         "<exif:GPSMapDatum>SECRET-DATUM</exif:GPSMapDatum>";
    const std::string filler(size_t(extra), 'x');
    for (int i = 0; i < count; ++i)
        packet += "<kt:p" + std::to_string(i) + ">KEPT" + filler + "</kt:p" + std::to_string(i) + ">";
    return packet + "</rdf:Description></rdf:RDF></x:xmpmeta><?xpacket end='w'?>";
}

// A PNG whose only metadata is that packet, written by Exiv2 without parsing it.
void writeWithPacket(const QString &path, const std::string &packet)
{
    writeEncoded(path, makePicture(48, 32), "PNG");
    auto file = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    file->readMetadata();
    file->xmpPacket() = packet;
    file->writeXmpFromPacket(true);
    file->writeMetadata();
}

} // namespace

class TestPrivacy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void everyPath_data();
    void everyPath();
    void copyOrEncode_data();
    void copyOrEncode();
    void cleanedCopyIsPlacedSafely();
    void largeXmp_data();
    void largeXmp();
    void extendedXmpInJpeg();
    void colourProfiles_data();
    void colourProfiles();

private:
    QTemporaryDir m_dir;
    QString m_in;
    QString m_out;
    int m_case = 0;
};

void TestPrivacy::initTestCase()
{
    initImageLibrary();
    initExiv2();
    m_dir.setAutoRemove(!qEnvironmentVariableIsSet("KELVARINE_KEEP_TEST_FILES"));
    QVERIFY2(QFileInfo::exists(program), qPrintable(program));
    QVERIFY2(haveExiftool(), "exiftool (libimage-exiftool-perl, scripts/setup.sh) reads what Exiv2 does not");
}

void TestPrivacy::init()
{
    ++m_case;
    m_in = m_dir.filePath(QStringLiteral("in%1").arg(m_case));
    m_out = m_dir.filePath(QStringLiteral("out%1").arg(m_case));
    QVERIFY(QDir().mkpath(m_in));
}

void TestPrivacy::everyPath_data()
{
    QTest::addColumn<QString>("source");  // the format the picture comes in
    QTest::addColumn<QString>("format");  // the chosen output format; Original copies
    QTest::addColumn<bool>("stripAll");   // --strip-metadata, else --strip-gps
    QTest::addColumn<bool>("holdsIptc");
    QTest::addColumn<bool>("holdsMetadata");

    struct Path
    {
        const char *source;
        const char *format;
        bool iptc;
        bool metadata;
    };
    // Copies keep their format and are cleaned in place; the rest are encoded.
    const QList<Path> paths = {{"JPEG", "Original", true, true}, {"PNG", "Original", true, true},
                               {"TIFF", "Original", true, true}, {"WEBP", "Original", false, true},
                               {"JPEG", "PNG", true, true},      {"JPEG", "TIFF", true, true},
                               {"JPEG", "WEBP", false, true},    {"JPEG", "JXL", false, true},
                               {"JPEG", "GIF", false, false},    {"PNG", "JPG", true, true},       {"PNG", "TIFF", true, true},
                               // the image library writes what it read (IPTC included) into its own format
                               {"JPEG", "MIFF", false, false},
                               {"WEBP", "JPG", false, true},      {"GIF", "Original", false, false}};
    for (const Path &path : paths) {
        for (const bool stripAll : {false, true}) {
            QTest::addRow("%s to %s, %s", path.source, path.format, stripAll ? "stripped" : "without location")
                << path.source << path.format << stripAll << path.iptc << path.metadata;
        }
    }
}

void TestPrivacy::everyPath()
{
    QFETCH(QString, source);
    QFETCH(QString, format);
    QFETCH(bool, stripAll);
    QFETCH(bool, holdsIptc);
    QFETCH(bool, holdsMetadata);

    const QString input = m_in + "/photo." + suffixOf(source);
    writeTagged(input, makePicture(96, 64), source);
    // (The image library writes no XMP into a GIF: its comment is what it carries.)
    QVERIFY2(fileBytes(input).contains(source == "GIF" ? "KEPT" : "SECRET") || source == "PNG",
             "the fixture carries metadata");
    QByteArray log;
    QCOMPARE(quietBatch({stripAll ? "--strip-metadata" : "--strip-gps", "-o", m_out, "-f", format, input}, &log), 0);
    const bool copied = format == "Original";
    const QString output = m_out + "/photo." + (copied ? suffixOf(source) : format.toLower());
    QVERIFY2(QFileInfo::exists(output), log.constData());

    // No location anywhere: not in any field Exiv2 or exiftool reads (also in
    // a thumbnail's directory, extended XMP, compressed chunks), not in the bytes.
    const QByteArray bytes = fileBytes(output);
    const QStringList values = exiv2Values(output);
    const QByteArray dump = exiftoolDump(output);
    QVERIFY2(!bytes.contains("SECRET"), qPrintable(output));
    QVERIFY2(!values.join('\n').contains("SECRET"), qPrintable(values.join('\n')));
    QVERIFY2(!values.join('\n').contains("GPS", Qt::CaseInsensitive), qPrintable(values.join('\n')));
    QVERIFY2(!dump.contains("SECRET") && !dump.contains("[GPS]"), dump.constData());

    if (stripAll) {
        // Only the colour profile stays.
        QVERIFY2(!bytes.contains("KEPT") && !dump.contains("KEPT"), dump.constData());
        for (const QString &value : values) {
            // A TIFF's own structure is kept in tags Exiv2 counts as EXIF.
            const bool structure = value.startsWith("Exif.Image.") && !value.startsWith("Exif.Image.Make");
            QVERIFY2(structure && output.endsWith(".tiff"), qPrintable(value));
        }
        if (format == "PNG" || (copied && source == "PNG")) {
            for (const char *chunk : {"tEXt", "zTXt", "iTXt", "eXIf", "tIME"})
                QVERIFY2(!pngChunkTypes(bytes).contains(chunk), chunk);
        }
    } else if (holdsMetadata) {
        // The rest stays, the drone's heading included.
        QVERIFY2(values.contains("Exif.Image.Make=KEPT Camera"), qPrintable(values.join('\n')));
        QVERIFY2(values.contains("Xmp.dc.creator=KEPT Ann Example"), qPrintable(values.join('\n')));
        QVERIFY2(values.contains("Xmp.drone-dji.FlightYawDegree=KEPT+12.5"), qPrintable(values.join('\n')));
        QCOMPARE(values.contains("Iptc.Application2.Keywords=KEPT harbour"), holdsIptc);
    }
    if (format != "GIF" && source != "GIF")
        QVERIFY2(readEncoded(output).iccColorProfile().length() > 0, "the colour profile always stays");
    if (output.endsWith(".png")) {
        // Metadata before the pixels, where every reader looks for it.
        const QStringList chunks = pngChunkTypes(bytes);
        for (const char *chunk : {"tEXt", "zTXt", "iTXt", "eXIf"}) {
            if (chunks.contains(chunk))
                QVERIFY2(chunks.lastIndexOf(chunk) < chunks.indexOf("IDAT"), qPrintable(chunks.join(' ')));
        }
    }

    if (copied && source != "GIF") {
        // Cleaned without being encoded again.
        const QByteArray original = fileBytes(input);
        QVERIFY(samePixels(readEncoded(output), readEncoded(input)));
        if (source == "JPEG")
            QCOMPARE(jpegScans(bytes), jpegScans(original));
        if (source == "PNG")
            QCOMPARE(pngPixelData(bytes), pngPixelData(original));
    }
}

void TestPrivacy::copyOrEncode_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("orientation");  // of a JPEG source, 0: none written
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("copied");  // byte for byte

    QTest::newRow("no options: copied") << "JPEG" << 6 << QStringList() << true;
    QTest::newRow("chosen quality: JPEG encoded") << "JPEG" << 0 << QStringList{"--quality", "50"} << false;
    QTest::newRow("chosen quality: PNG copied") << "PNG" << 0 << QStringList{"--quality", "50"} << true;
    QTest::newRow("turned upright: encoded") << "JPEG" << 6 << QStringList{"--auto-orient"} << false;
    QTest::newRow("already upright: copied") << "JPEG" << 1 << QStringList{"--auto-orient"} << true;
    QTest::newRow("stripped GIF: encoded") << "GIF" << 0 << QStringList{"--strip-metadata"} << false;
    QTest::newRow("stripped BMP: copied, it holds none") << "BMP" << 0 << QStringList{"--strip-metadata"} << true;
}

void TestPrivacy::copyOrEncode()
{
    QFETCH(QString, source);
    QFETCH(int, orientation);
    QFETCH(QStringList, options);
    QFETCH(bool, copied);

    const QString input = m_in + "/photo." + suffixOf(source);
    Magick::Image picture = makePicture(60, 40);
    if (source == "GIF") {
        picture.comment("KEPT comment");
        writeEncoded(input, picture, source);
    } else {
        writeEncoded(input, picture, source);
    }
    if (orientation > 0) {
        auto file = Exiv2::ImageFactory::open(QFile::encodeName(input).toStdString());
        file->readMetadata();
        Exiv2::ExifData exif;
        exif["Exif.Image.Orientation"] = uint16_t(orientation);
        file->setExifData(exif);
        file->writeMetadata();
    }
    QByteArray log;
    QCOMPARE(quietBatch(options + QStringList{"-o", m_out, "-f", "Original", input}, &log), 0);
    const QString output = m_out + "/photo." + suffixOf(source);
    QVERIFY2(QFileInfo::exists(output), log.constData());
    QCOMPARE(fileBytes(output) == fileBytes(input), copied);
    if (options.contains("--auto-orient") && orientation == 6)
        QCOMPARE(readEncoded(output).columns(), 40u);
    if (source == "GIF")
        QVERIFY(!fileBytes(output).contains("KEPT"));
}

void TestPrivacy::cleanedCopyIsPlacedSafely()
{
    const QString input = m_in + "/photo.jpg";
    writeTagged(input, makePicture(40, 30), "JPEG");
    const QByteArray original = fileBytes(input);
    ConversionJob job;
    job.writeFormat = "Original";
    job.outputFolder = m_out;
    job.deleteSource = true;
    job.output.stripGps = true;
    QDir().mkpath(m_out);
    {
        // A folder that refuses the output: the source stays as it was.
        ReadOnlyFolder locked(m_out);
        QVERIFY(locked.ok());
        WizardBatch refused;
        QVERIFY(refused.run({input}, job));
        QCOMPARE(refused.statuses, QList<int>{StatusFailed});
        QCOMPARE(fileBytes(input), original);
    }
    // Moved: the source goes once the cleaned output is in place.
    WizardBatch moved;
    QVERIFY(moved.run({input}, job));
    QCOMPARE(moved.statuses, QList<int>{StatusConverted});
    QVERIFY(!QFileInfo::exists(input));
    const QByteArray output = fileBytes(m_out + "/photo.jpg");
    QVERIFY(!output.contains("SECRET"));
    QVERIFY(output.contains("KEPT Camera"));
    QCOMPARE(jpegScans(output), jpegScans(original));
}

void TestPrivacy::largeXmp_data()
{
    QTest::addColumn<bool>("broken");   // a packet no parser reads, else a very large one
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("carried");  // else left out with a note

    // 20 000 properties: far beyond what is parsed, which would take many seconds.
    QTest::newRow("to JPEG, carried as extended XMP") << false << "JPG" << "" << true;
    QTest::newRow("to TIFF, carried") << false << "TIFF" << "" << true;
    QTest::newRow("to JPEG without location: left out") << false << "JPG" << "--strip-gps" << false;
    QTest::newRow("copied without location: left out") << false << "Original" << "--strip-gps" << false;
    QTest::newRow("stripped") << false << "WEBP" << "--strip-metadata" << false;
    QTest::newRow("unreadable, without location: left out") << true << "JPG" << "--strip-gps" << false;
    QTest::newRow("unreadable, copied without location: left out") << true << "Original" << "--strip-gps" << false;
}

void TestPrivacy::largeXmp()
{
    QFETCH(bool, broken);
    QFETCH(QString, format);
    QFETCH(QString, option);
    QFETCH(bool, carried);

    const QString input = m_in + "/big.png";
    std::string packet = manyProperties(broken ? 3 : 20000, 8);
    if (broken)
        packet.replace(packet.find("</dc:creator>"), 13, "</dc:kreator>");
    writeWithPacket(input, packet);
    QStringList arguments{"-o", m_out, "-f", format, input};
    if (!option.isEmpty())
        arguments.prepend(option);
    QByteArray log;
    QCOMPARE(quietBatch(arguments, &log), 0);
    const QString output = m_out + "/big." + (format == "Original" ? "png" : format.toLower());
    const QByteArray bytes = fileBytes(output);
    QVERIFY2(!bytes.isEmpty(), log.constData());

    if (!broken)
        QCOMPARE(bytes.contains("<kt:p19999>"), carried);
    QCOMPARE(bytes.contains("SECRET"), carried);
    QCOMPARE(log.contains("XMP metadata left out"), option == "--strip-gps");
    if (option == "--strip-gps") {
        // The wizard tells the same beside the picture's success.
        ConversionJob job;
        job.writeFormat = format;
        job.outputFolder = m_out + "/wizard";
        job.output.stripGps = true;
        QDir().mkpath(job.outputFolder);
        WizardBatch wizard;
        QVERIFY(wizard.run({input}, job));
        QCOMPARE(wizard.statuses, QList<int>{StatusConverted});
        QVERIFY2(wizard.errors.join('\n').contains("XMP metadata left out"), qPrintable(wizard.errors.join('\n')));
    }
    if (carried && format == "JPG") {
        // A standard packet that names its extension, and the extension whole.
        const QList<QByteArray> standard = jpegApp1(bytes, QByteArray("http://ns.adobe.com/xap/1.0/\0", 29));
        QCOMPARE(standard.size(), 1);
        QVERIFY(standard.first().contains("HasExtendedXMP"));
        QVERIFY(exiftoolDump(output).contains("P19999"));
    }
}

void TestPrivacy::extendedXmpInJpeg()
{
    // 1500 keywords of some length: too much for one segment, well within
    // what is parsed.
    const QString input = m_in + "/tagged.png";
    writeEncoded(input, makePicture(40, 30), "PNG");
    {
        auto file = Exiv2::ImageFactory::open(QFile::encodeName(input).toStdString());
        file->readMetadata();
        Exiv2::XmpData xmp;
        xmp["Xmp.dc.creator"] = "KEPT Ann Example";
        for (int i = 0; i < 1500; ++i)
            xmp["Xmp.dc.subject"] = "keyword number " + std::to_string(i) + " with some words beside it";
        Exiv2::XmpTextValue note("KEPT a long description " + std::string(20000, 'd'));
        xmp.add(Exiv2::XmpKey("Xmp.photoshop.Instructions"), &note);
        file->setXmpData(xmp);
        file->writeMetadata();
    }
    QByteArray log;
    QCOMPARE(quietBatch({"-o", m_out, "-f", "JPG", "--filter", "Resize=Type:0,Width:20,Height:1,Radio:1,RadioBy:0",
                    input}, &log), 0);
    const QString output = m_out + "/tagged.jpg";
    const QByteArray bytes = fileBytes(output);
    QVERIFY2(!bytes.isEmpty(), log.constData());

    // Exiv2 reads the standard packet: what fits stays there.
    const QStringList values = exiv2Values(output);
    QVERIFY2(values.contains("Xmp.dc.creator=KEPT Ann Example"), qPrintable(values.join('\n')));
    const QList<QByteArray> standard = jpegApp1(bytes, QByteArray("http://ns.adobe.com/xap/1.0/\0", 29));
    QCOMPARE(standard.size(), 1);
    QVERIFY(standard.first().size() <= 65504);

    // The extension: one GUID, the MD5 of the whole, contiguous offsets.
    const QList<QByteArray> parts = jpegApp1(bytes, QByteArray("http://ns.adobe.com/xmp/extension/\0", 35));
    QVERIFY(parts.size() >= 2);
    QByteArray extension;
    QList<quint32> totals;
    const QByteArray guid = parts.first().left(32);
    for (const QByteArray &part : parts) {
        QCOMPARE(part.left(32), guid);
        const auto number = [&part](int at) {
            return (quint32(uchar(part.at(at))) << 24) | (quint32(uchar(part.at(at + 1))) << 16)
                   | (quint32(uchar(part.at(at + 2))) << 8) | uchar(part.at(at + 3));
        };
        QCOMPARE(number(36), quint32(extension.size()));  // its offset
        totals.append(number(32));
        extension += part.mid(40);
    }
    for (const quint32 total : std::as_const(totals))
        QCOMPARE(total, quint32(extension.size()));
    QCOMPARE(QCryptographicHash::hash(extension, QCryptographicHash::Md5).toHex().toUpper(), guid);
    QVERIFY(standard.first().contains("HasExtendedXMP=\"" + guid + "\"")
            || standard.first().contains("HasExtendedXMP>" + guid + "<"));

    // exiftool joins both: every keyword and the description.
    const QByteArray dump = exiftoolDump(output);
    QVERIFY(dump.contains("keyword number 1499 with some words"));
    QVERIFY(dump.contains("keyword number 0 with some words"));
    QVERIFY(dump.contains("KEPT a long description ddd"));
}

void TestPrivacy::colourProfiles_data()
{
    QTest::addColumn<QString>("pixels");    // RGB or CMYK
    QTest::addColumn<QString>("profile");   // sRGB, CMYK, lying
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("profileOut");   // the output has a colour profile
    QTest::addColumn<bool>("noted");        // the log says one was left out

    QTest::newRow("profile lying about its size") << "RGB" << "lying" << "PNG" << false << true;
    QTest::newRow("profile of 17 MB") << "RGB" << "huge" << "PNG" << false << true;
    QTest::newRow("CMYK with an sRGB profile, to PNG") << "CMYK" << "sRGB" << "PNG" << false << true;
    QTest::newRow("CMYK with an sRGB profile, to WebP") << "CMYK" << "sRGB" << "WEBP" << false << true;
    QTest::newRow("CMYK with an sRGB profile, to JPEG") << "CMYK" << "sRGB" << "JPG" << false << true;
    QTest::newRow("RGB with a CMYK profile") << "RGB" << "CMYK" << "JPG" << false << true;
    QTest::newRow("CMYK with its CMYK profile, to PNG") << "CMYK" << "CMYK" << "PNG" << true << false;
    QTest::newRow("RGB with its sRGB profile") << "RGB" << "sRGB" << "PNG" << true << false;
}

void TestPrivacy::colourProfiles()
{
    QFETCH(QString, pixels);
    QFETCH(QString, profile);
    QFETCH(QString, format);
    QFETCH(bool, profileOut);
    QFETCH(bool, noted);

    Magick::Image picture = makePicture(48, 32);
    picture.depth(8);
    if (pixels == "CMYK")
        picture.colorSpace(Magick::CMYKColorspace);
    QString input = m_in + "/picture.jpg";
    writeEncoded(input, picture, "JPEG");
    if (profile == "huge") {
        // No JPEG holds one so large: a TIFF does, in one tag.
        const Magick::Blob &srgb = OutputImage::srgbProfile();
        QByteArray huge(static_cast<const char *>(srgb.data()), qsizetype(srgb.length()));
        huge.resize(17 << 20, '\0');
        huge[0] = char(huge.size() >> 24);
        huge[1] = char((huge.size() >> 16) & 0xFF);
        huge[2] = char((huge.size() >> 8) & 0xFF);
        huge[3] = char(huge.size() & 0xFF);
        picture.profile("ICM", Magick::Blob(huge.constData(), size_t(huge.size())));
        input = m_in + "/picture.tiff";
        writeEncoded(input, picture, "TIFF");
        QCOMPARE(readEncoded(input).iccColorProfile().length(), size_t(huge.size()));
    }
    QByteArray icc;
    if (profile == "CMYK") {
        icc = fileBytes(cmykProfilePath);
        QVERIFY(!icc.isEmpty());
    } else {
        const Magick::Blob &srgb = OutputImage::srgbProfile();
        icc = QByteArray(static_cast<const char *>(srgb.data()), qsizetype(srgb.length()));
        if (profile == "lying")
            icc[2] = char(icc.at(2) + 4);  // the header claims a kilobyte more than there is
    }
    if (profile != "huge")
        writeBytes(input, withJpegProfile(fileBytes(input), icc));

    QByteArray log;
    QCOMPARE(quietBatch({"-o", m_out, "-f", format, "--filter", "Resize=Type:0,Width:24,Height:1,Radio:1,RadioBy:0", input},
                   &log), 0);
    const QString output = m_out + "/picture." + format.toLower();
    QVERIFY2(QFileInfo::exists(output), log.constData());
    const Magick::Image result = readEncoded(output);
    QCOMPARE(result.iccColorProfile().length() > 0, profileOut);
    QCOMPARE(log.contains("Colour profile left out"), noted);
    if (format != "JPG")
        QVERIFY(result.colorSpace() != Magick::CMYKColorspace);
    QCOMPARE(result.columns(), 24u);
}

QTEST_GUILESS_MAIN(TestPrivacy)
#include "tst_privacy.moc"
