#include "metadatautils.h"

#include <QDataStream>
#include <QFile>
#include <QStandardPaths>

#include <exiv2/exiv2.hpp>

#include <zlib.h>

#include "engine/picture/outputimage.h"
#include "testutils.h"

namespace {

// A TIFF structure laid out by hand: directories, each followed by the values
// too large for their entries, then loose blocks (a thumbnail).
struct Entry
{
    quint16 tag;
    quint16 type;  // 1 byte, 2 ASCII, 3 short, 4 long, 5 rational
    quint32 count;
    QByteArray value;  // stored in place when four bytes or fewer
    int pointsTo = -1;  // a block whose offset is the value
};

struct Block
{
    QList<Entry> entries;  // a directory when not empty
    QByteArray bytes;      // otherwise, plain data
    int next = -1;         // the directory after this one
};

QByteArray le(quint32 value, int size)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(char((value >> (8 * i)) & 0xFF));
    return bytes;
}

int blockSize(const Block &block)
{
    if (block.entries.isEmpty())
        return int(block.bytes.size());
    int size = 2 + 12 * int(block.entries.size()) + 4;
    for (const Entry &entry : block.entries) {
        if (entry.value.size() > 4)
            size += int(entry.value.size() + entry.value.size() % 2);
    }
    return size;
}

QByteArray layOut(const QList<Block> &blocks)
{
    QList<quint32> offsets;
    quint32 at = 8;
    for (const Block &block : blocks) {
        offsets.append(at);
        at += quint32(blockSize(block));
    }
    QByteArray tiff("II*\0", 4);
    tiff += le(8, 4);
    for (int b = 0; b < blocks.size(); ++b) {
        const Block &block = blocks.at(b);
        if (block.entries.isEmpty()) {
            tiff += block.bytes;
            continue;
        }
        quint32 extra = offsets.at(b) + 2 + 12 * quint32(block.entries.size()) + 4;
        QByteArray data;
        tiff += le(quint32(block.entries.size()), 2);
        for (const Entry &entry : block.entries) {
            tiff += le(entry.tag, 2) + le(entry.type, 2) + le(entry.count, 4);
            if (entry.pointsTo >= 0) {
                tiff += le(offsets.at(entry.pointsTo), 4);
            } else if (entry.value.size() <= 4) {
                tiff += entry.value + QByteArray(4 - entry.value.size(), '\0');
            } else {
                tiff += le(extra + quint32(data.size()), 4);
                data += entry.value;
                if (entry.value.size() % 2)
                    data += '\0';
            }
        }
        tiff += le(block.next >= 0 ? offsets.at(block.next) : 0, 4);
        tiff += data;
    }
    return tiff;
}

Entry ascii(quint16 tag, const QByteArray &text)
{
    return {tag, 2, quint32(text.size() + 1), text + '\0'};
}

QByteArray thumbnailJpeg()
{
    Magick::Image thumbnail = TestUtils::makePicture(16, 12);
    thumbnail.depth(8);
    thumbnail.magick("JPEG");
    Magick::Blob blob;
    thumbnail.write(&blob);
    return QByteArray(static_cast<const char *>(blob.data()), qsizetype(blob.length()));
}

Exiv2::IptcData taggedIptc()
{
    Exiv2::IptcData iptc;
    iptc["Iptc.Application2.Keywords"] = "KEPT harbour";
    iptc["Iptc.Application2.City"] = "SECRET-CITY";
    iptc["Iptc.Application2.SubLocation"] = "SECRET-SUBLOCATION";
    iptc["Iptc.Application2.ProvinceState"] = "SECRET-STATE";
    iptc["Iptc.Application2.CountryName"] = "SECRET-COUNTRY";
    iptc["Iptc.Application2.CountryCode"] = "SECRET";
    iptc["Iptc.Application2.LocationName"] = "SECRET-LOCATION";
    return iptc;
}

void addStructInBag(Exiv2::XmpData &xmp, const std::string &array)
{
    Exiv2::XmpTextValue bag;
    bag.setXmpArrayType(Exiv2::XmpValue::xaBag);
    xmp.add(Exiv2::XmpKey(array), &bag);
    Exiv2::XmpTextValue item;
    item.setXmpStruct();
    xmp.add(Exiv2::XmpKey(array + "[1]"), &item);
}

Exiv2::XmpData taggedXmp()
{
    Exiv2::XmpData xmp;
    xmp["Xmp.dc.creator"] = "KEPT Ann Example";
    xmp["Xmp.dc.subject"] = "KEPT harbour";
    xmp["Xmp.exif.GPSLatitude"] = "56,9.35N";
    xmp["Xmp.exif.GPSMapDatum"] = "SECRET-XMP-DATUM";
    addStructInBag(xmp, "Xmp.iptcExt.LocationShown");
    xmp["Xmp.iptcExt.LocationShown[1]/iptcExt:City"] = "SECRET-SHOWN-CITY";
    xmp["Xmp.iptcExt.LocationShown[1]/exif:GPSLatitude"] = "56,9.35N";
    addStructInBag(xmp, "Xmp.iptcExt.LocationCreated");
    xmp["Xmp.iptcExt.LocationCreated[1]/iptcExt:CountryName"] = "SECRET-CREATED-COUNTRY";
    xmp["Xmp.photoshop.City"] = "SECRET-PS-CITY";
    xmp["Xmp.photoshop.State"] = "SECRET-PS-STATE";
    xmp["Xmp.photoshop.Country"] = "SECRET-PS-COUNTRY";
    xmp["Xmp.iptc.Location"] = "SECRET-IPTC-LOCATION";
    xmp["Xmp.iptc.CountryCode"] = "SECRET";
    xmp["Xmp.drone-dji.GpsLatitude"] = "SECRET+56.155";
    xmp["Xmp.drone-dji.GpsLongitude"] = "SECRET+10.210";
    xmp["Xmp.drone-dji.AbsoluteAltitude"] = "SECRET+120.5";
    xmp["Xmp.drone-dji.RelativeAltitude"] = "SECRET+30.2";
    xmp["Xmp.drone-dji.FlightYawDegree"] = "KEPT+12.5";
    xmp["Xmp.kvendor.CameraLongitude"] = "SECRET-VENDOR";
    return xmp;
}

// The bytes with `segment` (marker included) after the JFIF header.
QByteArray insertAfterJfif(const QByteArray &jpeg, const QByteArray &segment)
{
    qsizetype at = 2;
    if (uchar(jpeg.at(2)) == 0xFF && uchar(jpeg.at(3)) == 0xE0)
        at += 2 + ((qsizetype(uchar(jpeg.at(4))) << 8) | uchar(jpeg.at(5)));
    return jpeg.left(at) + segment + jpeg.mid(at);
}

QByteArray segment(uchar marker, const QByteArray &data)
{
    const qsizetype length = data.size() + 2;
    return QByteArray() + char(0xFF) + char(marker) + char(length >> 8) + char(length & 0xFF) + data;
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    QByteArray chunk;
    QDataStream out(&chunk, QIODevice::WriteOnly);
    out << quint32(data.size());
    chunk += type + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(chunk.constData() + 4), uInt(chunk.size() - 4));
    QByteArray tail;
    QDataStream crcOut(&tail, QIODevice::WriteOnly);
    crcOut << quint32(crc);
    return chunk + tail;
}

} // namespace

namespace MetadataUtils {

void initExiv2()
{
    Exiv2::XmpParser::initialize();
    Exiv2::enableBMFF(true);
    Exiv2::XmpProperties::registerNs("http://www.dji.com/drone-dji/1.0/", "drone-dji");
    Exiv2::XmpProperties::registerNs("http://example.com/kelvarine-vendor/1.0/", "kvendor");
}

QByteArray exifWithThumbnailGps()
{
    QByteArray latitude;
    for (quint32 part : {56u, 1u, 9u, 1u, 21u, 1u})
        latitude += le(part, 4);
    const QByteArray thumbnail = thumbnailJpeg();
    QList<Block> blocks(5);
    blocks[0].entries = {ascii(0x010F, "KEPT Camera"), {0x8825, 4, 1, {}, 1}};
    blocks[0].next = 2;
    blocks[1].entries = {{0x0000, 1, 4, QByteArray("\2\3\0\0", 4)}, ascii(0x0001, "N"), {0x0002, 5, 3, latitude},
                         ascii(0x0012, "SECRET-DATUM")};
    blocks[2].entries = {{0x0103, 3, 1, le(6, 2)}, {0x0201, 4, 1, {}, 4},
                         {0x0202, 4, 1, le(quint32(thumbnail.size()), 4)}, {0x8825, 4, 1, {}, 3}};
    blocks[3].entries = {{0x0000, 1, 4, QByteArray("\2\3\0\0", 4)}, ascii(0x0012, "SECRET-THUMB-DATUM")};
    blocks[4].bytes = thumbnail;
    return layOut(blocks);
}

void writeTagged(const QString &path, const Magick::Image &picture, const QString &format)
{
    Magick::Image image = picture;
    image.depth(8);
    image.iccColorProfile(OutputImage::srgbProfile());
    if (format == "GIF") {
        image.comment("KEPT comment");
        Exiv2::XmpData xmp = taggedXmp();
        std::string packet;
        Exiv2::XmpParser::encode(packet, xmp);
        image.profile("XMP", Magick::Blob(packet.data(), packet.size()));
        TestUtils::writeEncoded(path, image, format);
        return;
    }
    TestUtils::writeEncoded(path, image, format);

    const QByteArray rawExif = exifWithThumbnailGps();
    auto file = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    file->readMetadata();  // or Exiv2 would write the file without its colour profile
    if (format == "TIFF" || format == "WEBP") {
        Exiv2::ExifData exif;
        Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte *>(rawExif.constData()),
                                  uint32_t(rawExif.size()));
        // Exiv2 cannot write the thumbnail's GPS directory; in a TIFF the
        // thumbnail would be a page of its own.
        Exiv2::ExifThumb(exif).erase();
        file->setExifData(exif);
    }
    file->setIptcData(taggedIptc());
    file->setXmpData(taggedXmp());
    if (format == "JPEG")
        file->setComment("KEPT comment");
    file->writeMetadata();

    QByteArray bytes = TestUtils::fileBytes(path);
    if (format == "JPEG")
        bytes = insertAfterJfif(bytes, segment(0xE1, QByteArray("Exif\0\0", 6) + rawExif));
    else if (format == "PNG")  // after IHDR: EXIF and text of the picture's own
        bytes = bytes.left(33) + pngChunk("eXIf", rawExif) + pngChunk("tEXt", QByteArray("Author\0KEPT Ann", 15))
                + pngChunk("tEXt", QByteArray("Comment\0KEPT comment", 20)) + bytes.mid(33);
    TestUtils::writeBytes(path, bytes);
}

QStringList exiv2Values(const QString &path)
{
    QStringList values;
    Exiv2::Image::AutoPtr file;
    try {
        file = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        file->readMetadata();
    } catch (const Exiv2::AnyError &) {
        return values;
    }
    for (const Exiv2::Exifdatum &datum : file->exifData())
        values.append(QString::fromStdString(datum.key() + "=" + (datum.size() < 4096 ? datum.toString() : "")));
    for (const Exiv2::Iptcdatum &datum : file->iptcData())
        values.append(QString::fromStdString(datum.key() + "=" + datum.toString()));
    for (const Exiv2::Xmpdatum &datum : file->xmpData())
        values.append(QString::fromStdString(datum.key() + "=" + datum.toString()));
    if (!file->comment().empty())
        values.append(QString::fromStdString("comment=" + file->comment()));
    return values;
}

bool haveExiftool()
{
    return !QStandardPaths::findExecutable("exiftool").isEmpty();
}

QByteArray exiftoolDump(const QString &path)
{
    QByteArray output;
    if (haveExiftool())
        TestUtils::run("exiftool", {"-a", "-u", "-m", "-G1", "-s", "-ee", path}, &output);
    return output;
}

QByteArray jpegScans(const QByteArray &jpeg)
{
    // Segment by segment to the first scan: an EXIF thumbnail has scans too.
    qsizetype i = 2;
    while (i + 4 <= jpeg.size() && uchar(jpeg.at(i)) == 0xFF && uchar(jpeg.at(i + 1)) != 0xDA)
        i += 2 + ((qsizetype(uchar(jpeg.at(i + 2))) << 8) | uchar(jpeg.at(i + 3)));
    const qsizetype eoi = jpeg.lastIndexOf(QByteArray("\xFF\xD9", 2));
    return i + 4 > jpeg.size() || eoi < i ? QByteArray() : jpeg.mid(i, eoi + 2 - i);
}

QList<QByteArray> jpegApp1(const QByteArray &jpeg, const QByteArray &header)
{
    QList<QByteArray> found;
    qsizetype i = 2;
    while (i + 4 <= jpeg.size() && uchar(jpeg.at(i)) == 0xFF && uchar(jpeg.at(i + 1)) != 0xDA) {
        const qsizetype length = (qsizetype(uchar(jpeg.at(i + 2))) << 8) | uchar(jpeg.at(i + 3));
        const QByteArray data = jpeg.mid(i + 4, length - 2);
        if (uchar(jpeg.at(i + 1)) == 0xE1 && data.startsWith(header))
            found.append(data.mid(header.size()));
        i += 2 + length;
    }
    return found;
}

QByteArray pngPixelData(const QByteArray &png)
{
    QByteArray data;
    for (qsizetype i = 8; i + 12 <= png.size();) {
        const quint32 length = (quint32(uchar(png.at(i))) << 24) | (quint32(uchar(png.at(i + 1))) << 16)
                               | (quint32(uchar(png.at(i + 2))) << 8) | uchar(png.at(i + 3));
        if (png.mid(i + 4, 4) == "IDAT")
            data += png.mid(i + 8, length);
        i += 12 + qsizetype(length);
    }
    return data;
}

QStringList pngChunkTypes(const QByteArray &png)
{
    QStringList types;
    for (qsizetype i = 8; i + 12 <= png.size();) {
        const quint32 length = (quint32(uchar(png.at(i))) << 24) | (quint32(uchar(png.at(i + 1))) << 16)
                               | (quint32(uchar(png.at(i + 2))) << 8) | uchar(png.at(i + 3));
        types.append(QString::fromLatin1(png.mid(i + 4, 4)));
        i += 12 + qsizetype(length);
    }
    return types;
}

QByteArray withJpegProfile(const QByteArray &jpeg, const QByteArray &profile)
{
    constexpr qsizetype chunk = 60000;
    const int count = int((profile.size() + chunk - 1) / chunk);
    QByteArray segments;
    for (int i = 0; i < count; ++i) {
        const QByteArray header = QByteArray("ICC_PROFILE\0", 12) + char(i + 1) + char(count);
        segments += segment(0xE2, header + profile.mid(i * chunk, chunk));
    }
    return insertAfterJfif(jpeg, segments);
}

void writePhoto(const QString &path, Magick::Image image, int orientation)
{
    image.depth(8);
    image.iccColorProfile(OutputImage::srgbProfile());
    TestUtils::writeEncoded(path, image, "JPEG");

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

Found readBack(const QString &path)
{
    Found found;
    // Exiv2 reads JPEG XL only in the container that metadata needs; a bare
    // code stream carries none.
    found.icc = TestUtils::readEncoded(path).iccColorProfile().length() > 0;
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

} // namespace MetadataUtils
