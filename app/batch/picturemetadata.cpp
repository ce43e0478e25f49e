#include "picturemetadata.h"

#include <QCoreApplication>
#include <QFile>

#include <exiv2/exiv2.hpp>
#include <magick/api.h>
#include <zlib.h>

#include <mutex>
#include <unistd.h>

#include "outputoptions.h"
#include "picturecodec.h"

namespace {

std::mutex xmpToolkit;

void lockXmp(void *, bool lock)
{
    if (lock)
        xmpToolkit.lock();
    else
        xmpToolkit.unlock();
}

// The XMP toolkit is shared by all threads and must be started once, with a
// lock; Exiv2's remarks about odd files would only clutter a batch's report.
void startExiv2()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::enableBMFF(true);  // HEIC, AVIF and JPEG XL, off unless asked for
        Exiv2::XmpParser::initialize(lockXmp, nullptr);
    });
}

// Who writes the metadata of an output: Exiv2 after the encoder, where the
// encoder gets it wrong; the encoder itself everywhere else.
enum class Carrier { Exiv2, Png, Encoder };

Carrier carrierOf(const QString &extension)
{
    const QString e = extension.toLower();
    if (e == QLatin1String("tif") || e == QLatin1String("tiff") || e == QLatin1String("webp"))
        return Carrier::Exiv2;
    if (e == QLatin1String("png") || e == QLatin1String("png8") || e == QLatin1String("png24")
        || e == QLatin1String("png32"))
        return Carrier::Png;
    return Carrier::Encoder;
}

bool isTiff(const QString &extension)
{
    return extension.compare(QLatin1String("tif"), Qt::CaseInsensitive) == 0
           || extension.compare(QLatin1String("tiff"), Qt::CaseInsensitive) == 0;
}

const char exifHeader[] = {'E', 'x', 'i', 'f', 0, 0};

QString tr(const char *text)
{
    return QCoreApplication::translate("PictureMetadata", text);
}

QString exiv2Reason(const Exiv2::AnyError &error)
{
    const QString text = QString::fromLocal8Bit(error.what());
    return text.isEmpty() ? tr("Exiv2 error %1").arg(error.code()) : text;
}

Exiv2::Blob encodeExif(const Exiv2::ExifData &exif)
{
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
    return blob;
}

// A profile the decoder kept. (Magick++'s own accessor would try to encode the
// picture in a format of that name when there is none.)
std::string profileOf(const Magick::Image &image, const char *name)
{
    size_t length = 0;
    const unsigned char *data = MagickLib::GetImageProfile(image.constImage(), name, &length);
    return data ? std::string(reinterpret_cast<const char *>(data), length) : std::string();
}

// The image library keeps EXIF with the JPEG marker's "Exif\0\0" in front.
void decodeExifProfile(Exiv2::ExifData &exif, const std::string &profile)
{
    auto data = reinterpret_cast<const Exiv2::byte *>(profile.data());
    size_t size = profile.size();
    if (size >= sizeof exifHeader && std::equal(exifHeader, exifHeader + sizeof exifHeader, data)) {
        data += sizeof exifHeader;
        size -= sizeof exifHeader;
    }
    if (size > 0)
        Exiv2::ExifParser::decode(exif, data, uint32_t(size));
}

QStringList profileNames(const Magick::Image &image)
{
    QStringList names;
    MagickLib::ImageProfileIterator profiles = MagickLib::AllocateImageProfileIterator(image.constImage());
    const char *name = nullptr;
    const unsigned char *data = nullptr;
    size_t length = 0;
    while (profiles && MagickLib::NextImageProfile(profiles, &name, &data, &length) != MagickFail)
        names.append(QString::fromLatin1(name));
    MagickLib::DeallocateImageProfileIterator(profiles);
    return names;
}

// What the decoder noted about the source (its JPEG settings, values it read
// from the EXIF) some encoders write out as text of their own: after the pixels
// and past whatever was stripped.
void dropSourceNotes(Magick::Image &image, bool keepJpegSettings, bool withComment)
{
    QList<QByteArray> keys;
    for (const MagickLib::ImageAttribute *attribute = MagickLib::GetImageAttribute(image.constImage(), nullptr);
         attribute; attribute = attribute->next) {
        const QByteArray key(attribute->key);
        if (key.startsWith("EXIF:") || key.startsWith("IPTC:") || (!keepJpegSettings && key.startsWith("JPEG-"))
            || (withComment && key.compare("comment", Qt::CaseInsensitive) == 0))
            keys.append(key);
    }
    for (const QByteArray &key : std::as_const(keys))
        MagickLib::SetImageAttribute(image.image(), key.constData(), nullptr);
}

bool isColourProfile(const QString &name)
{
    return name.compare(QLatin1String("ICC"), Qt::CaseInsensitive) == 0
           || name.compare(QLatin1String("ICM"), Qt::CaseInsensitive) == 0;
}

// PNG readers look for EXIF in the eXIf chunk, before the pixels; Exiv2 would
// put it into a text chunk that only a few tools read.
QByteArray withExifChunk(const QByteArray &png, const Exiv2::Blob &exif)
{
    qsizetype offset = 8;
    while (offset + 8 <= png.size()) {
        const auto at = reinterpret_cast<const uchar *>(png.constData()) + offset;
        const quint32 length = (quint32(at[0]) << 24) | (quint32(at[1]) << 16) | (quint32(at[2]) << 8) | at[3];
        if (png.mid(offset + 4, 4) == "IDAT")
            break;
        offset += 12 + qsizetype(length);
    }
    if (offset + 8 > png.size())
        return png;  // not a PNG we can place it in; leave the file as the encoder made it

    QByteArray chunk;
    const quint32 size = quint32(exif.size());
    chunk.append(char(size >> 24)).append(char(size >> 16)).append(char(size >> 8)).append(char(size));
    chunk.append("eXIf");
    chunk.append(reinterpret_cast<const char *>(exif.data()), qsizetype(exif.size()));
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(chunk.constData() + 4), uInt(chunk.size() - 4));
    chunk.append(char(crc >> 24)).append(char(crc >> 16)).append(char(crc >> 8)).append(char(crc));
    return png.left(offset) + chunk + png.mid(offset);
}

QByteArray readAll(FILE *stream)
{
    std::fflush(stream);
    std::fseek(stream, 0, SEEK_END);
    const long size = std::ftell(stream);
    QByteArray bytes(qsizetype(std::max(size, 0L)), Qt::Uninitialized);
    std::rewind(stream);
    if (size < 0 || std::fread(bytes.data(), 1, size_t(size), stream) != size_t(size))
        throw PictureError(tr("Cannot read back the encoded picture"));
    return bytes;
}

void replaceAll(FILE *stream, const QByteArray &bytes)
{
    std::rewind(stream);
    const bool written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size())
                         && std::fflush(stream) == 0;
    if (!written || ::ftruncate(fileno(stream), off_t(bytes.size())) != 0)
        throw PictureError(tr("Cannot write the picture's metadata"));
}

} // namespace

struct PictureMetadata::Data
{
    Exiv2::ExifData exif;
    Exiv2::IptcData iptc;
    Exiv2::XmpData xmp;
    std::string xmpPacket;   // as found, kept for a packet Exiv2 cannot parse
    bool xmpParsed = true;   // xmp holds everything of xmpPacket
    bool stripped = false;   // nothing but the colour profile goes along
};

PictureMetadata::PictureMetadata()
    : d(std::make_unique<Data>())
{
}

PictureMetadata::~PictureMetadata() = default;

PictureMetadata::PictureMetadata(const PictureMetadata &other)
    : d(std::make_unique<Data>(*other.d))
{
}

PictureMetadata &PictureMetadata::operator=(const PictureMetadata &other)
{
    *d = *other.d;
    return *this;
}

PictureMetadata PictureMetadata::read(const QString &sourcePath, const Magick::Image &decoded)
{
    startExiv2();
    PictureMetadata metadata;
    Data &m = *metadata.d;
    try {
        const Exiv2::Image::AutoPtr file = Exiv2::ImageFactory::open(QFile::encodeName(sourcePath).toStdString());
        file->readMetadata();
        m.exif = file->exifData();
        m.iptc = file->iptcData();
        m.xmp = file->xmpData();
        m.xmpPacket = file->xmpPacket();
        m.xmpParsed = m.xmpPacket.empty() || !m.xmp.empty();
        return metadata;
    } catch (const Exiv2::AnyError &) {
        // A format Exiv2 does not know (or a damaged block): what the decoder found.
    }
    m = Data();
    try {
        decodeExifProfile(m.exif, profileOf(decoded, "EXIF"));
        m.xmpPacket = profileOf(decoded, "XMP");
        m.xmpParsed = m.xmpPacket.empty() || Exiv2::XmpParser::decode(m.xmp, m.xmpPacket) == 0;
    } catch (const Exiv2::AnyError &) {
        m = Data();
    }
    return metadata;
}

bool PictureMetadata::isEmpty() const
{
    return d->exif.empty() && d->iptc.empty() && d->xmp.empty() && d->xmpPacket.empty();
}

void PictureMetadata::adapt(const OutputOptions &options, const Magick::Image &finished, bool turnedUpright,
                            bool pixelsChanged)
{
    Data &m = *d;
    if (options.stripMetadata) {
        m = Data();
        m.stripped = true;
        return;
    }
    if (options.stripGps) {
        for (auto i = m.exif.begin(); i != m.exif.end();) {
            if (i->groupName() == "GPSInfo" || i->key() == "Exif.Image.GPSTag")
                i = m.exif.erase(i);
            else
                ++i;
        }
        for (auto i = m.xmp.begin(); i != m.xmp.end();) {
            if (i->key().rfind("Xmp.exif.GPS", 0) == 0)
                i = m.xmp.erase(i);
            else
                ++i;
        }
        // A packet we cannot read we cannot clean either: it does not go along.
        if (!m.xmpParsed) {
            m.xmpPacket.clear();
            m.xmpParsed = true;
        }
    }

    if (turnedUpright) {
        if (!m.exif.empty())
            m.exif["Exif.Image.Orientation"] = uint16_t(1);
        auto orientation = m.xmp.findKey(Exiv2::XmpKey("Xmp.tiff.Orientation"));
        if (orientation != m.xmp.end())
            orientation->setValue("1");
    }
    // An embedded thumbnail shows the picture as it was read: after a crop or a
    // turn it would show something else.
    if (turnedUpright || pixelsChanged)
        Exiv2::ExifThumb(m.exif).erase();

    const uint32_t width = uint32_t(finished.columns());
    const uint32_t height = uint32_t(finished.rows());
    if (!m.exif.empty()) {
        m.exif["Exif.Photo.PixelXDimension"] = width;
        m.exif["Exif.Photo.PixelYDimension"] = height;
        for (const char *key : {"Exif.Image.ImageWidth", "Exif.Image.ImageLength"}) {
            auto tag = m.exif.findKey(Exiv2::ExifKey(key));
            if (tag != m.exif.end())
                *tag = std::strcmp(key, "Exif.Image.ImageWidth") == 0 ? width : height;
        }
    }
    for (const auto &[key, value] : {std::pair{"Xmp.exif.PixelXDimension", width},
                                     std::pair{"Xmp.exif.PixelYDimension", height}}) {
        auto tag = m.xmp.findKey(Exiv2::XmpKey(key));
        if (tag != m.xmp.end())
            tag->setValue(std::to_string(value));
    }
}

void PictureMetadata::prepareImage(Magick::Image &image, const QString &extension) const
{
    const Data &m = *d;
    const Carrier carrier = carrierOf(extension);
    image.modifyImage();
    // The encoder would write the source's metadata as it found it: everything
    // but the colour profile is taken off and given back below, as adapted.
    // Other formats keep the decoder's IPTC, which only the image library can
    // place there.
    for (const QString &name : profileNames(image)) {
        if (isColourProfile(name))
            continue;
        const bool replaced = name.compare(QLatin1String("EXIF"), Qt::CaseInsensitive) == 0
                              || name.compare(QLatin1String("XMP"), Qt::CaseInsensitive) == 0;
        if (carrier != Carrier::Encoder || replaced || m.stripped)
            MagickLib::DeleteImageProfile(image.image(), name.toLatin1().constData());
    }
    const QString e = extension.toLower();
    const bool jpeg = e == QLatin1String("jpg") || e == QLatin1String("jpeg") || e == QLatin1String("jpe");
    dropSourceNotes(image, jpeg, m.stripped);
    if (carrier != Carrier::Encoder) {
        // Exiv2 takes no XMP it cannot parse; the encoder writes it as it came,
        // and Exiv2 passes on what it finds in the encoded file.
        if (!m.xmpParsed)
            image.profile("XMP", Magick::Blob(m.xmpPacket.data(), m.xmpPacket.size()));
        return;
    }

    try {
        if (!m.exif.empty()) {
            Exiv2::Blob exif(exifHeader, exifHeader + sizeof exifHeader);
            const Exiv2::Blob body = encodeExif(m.exif);
            exif.insert(exif.end(), body.begin(), body.end());
            image.profile("EXIF", Magick::Blob(exif.data(), exif.size()));
        }
        std::string packet = m.xmpPacket;
        if (m.xmpParsed && !m.xmp.empty())
            Exiv2::XmpParser::encode(packet, m.xmp);
        else if (m.xmpParsed)
            packet.clear();
        if (!packet.empty())
            image.profile("XMP", Magick::Blob(packet.data(), packet.size()));
    } catch (const Exiv2::AnyError &error) {
        throw PictureError(tr("Cannot write the picture's metadata: %1").arg(exiv2Reason(error)));
    }
}

bool PictureMetadata::writtenAfterEncoding(const QString &extension)
{
    return carrierOf(extension) != Carrier::Encoder;
}

void PictureMetadata::writeInto(FILE *stream, const QString &extension) const
{
    const Carrier carrier = carrierOf(extension);
    if (carrier == Carrier::Encoder || isEmpty())
        return;
    const Data &m = *d;
    startExiv2();
    QByteArray bytes = readAll(stream);
    try {
        Exiv2::Image::AutoPtr output = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte *>(bytes.constData()), long(bytes.size()));
        output->readMetadata();  // the colour profile the encoder wrote stays
        if (carrier == Carrier::Png) {
            output->clearExifData();
        } else if (isTiff(extension)) {
            // A thumbnail's directory would be a second page in a TIFF.
            Exiv2::ExifData exif = m.exif;
            Exiv2::ExifThumb(exif).erase();
            output->setExifData(exif);
        } else {
            output->setExifData(m.exif);
        }
        if (output->supportsMetadata(Exiv2::mdIptc))
            output->setIptcData(m.iptc);
        if (m.xmpParsed) {
            output->setXmpData(m.xmp);
            output->writeXmpFromPacket(false);
        } else {
            output->writeXmpFromPacket(true);  // the packet the encoder wrote
        }
        output->writeMetadata();

        Exiv2::BasicIo &io = output->io();
        io.open();
        const Exiv2::DataBuf written = io.read(long(io.size()));
        io.close();
        bytes = QByteArray(reinterpret_cast<const char *>(written.pData_), qsizetype(written.size_));
        if (carrier == Carrier::Png && !m.exif.empty())
            bytes = withExifChunk(bytes, encodeExif(m.exif));
    } catch (const Exiv2::AnyError &error) {
        throw PictureError(tr("Cannot write the picture's metadata: %1").arg(exiv2Reason(error)));
    }
    replaceAll(stream, bytes);
}
