#include "engine/metadata/picturemetadata.h"
#include "engine/metadata/picturemetadata_p.h"

#include <QCoreApplication>
#include <QFile>

#include <exiv2/exiv2.hpp>
#include <magick/api.h>

#include <mutex>

#include "engine/metadata/locationfields.h"
#include "engine/batch/outputoptions.h"
#include "engine/runtime/imagelibrary.h"
#include "engine/metadata/xmppacket.h"

using namespace MetadataDetail;

namespace {

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
// from the EXIF, text chunks) some encoders write out as text of their own:
// after the pixels and past whatever was stripped.
void dropSourceNotes(Magick::Image &image, bool keepJpegSettings, bool stripped)
{
    QList<QByteArray> keys;
    for (const MagickLib::ImageAttribute *attribute = MagickLib::GetImageAttribute(image.constImage(), nullptr);
         attribute; attribute = attribute->next) {
        const QByteArray key(attribute->key);
        const bool jpegSetting = key.startsWith("JPEG-");
        if (key.startsWith("EXIF:") || key.startsWith("IPTC:") || (jpegSetting && !keepJpegSettings)
            || (stripped && !jpegSetting))
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

} // namespace

namespace MetadataDetail {

namespace {

std::mutex xmpToolkit;

void lockXmp(void *, bool lock)
{
    if (lock)
        xmpToolkit.lock();
    else
        xmpToolkit.unlock();
}

} // namespace

// The XMP toolkit is shared by all threads and must be started once, with a
// lock; Exiv2's remarks about odd files would only clutter a batch's report.
void startExiv2()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::enableBMFF(true);  // HEIC, AVIF and JPEG XL, off unless asked for
        Exiv2::XmpParser::initialize(lockXmp, nullptr);
        Exiv2::XmpProperties::registerNs("http://ns.adobe.com/xmp/note/", "xmpNote");
    });
}

std::unique_lock<std::recursive_mutex> lockExiv2()
{
    static std::recursive_mutex metadataWork;
    return std::unique_lock<std::recursive_mutex>(metadataWork);
}

QString tr(const char *text)
{
    return QCoreApplication::translate("PictureMetadata", text);
}

QString exiv2Reason(const Exiv2::AnyError &error)
{
    const QString text = QString::fromLocal8Bit(error.what());
    return text.isEmpty() ? tr("Exiv2 error %1").arg(error.code()) : text;
}

QByteArray bytesOf(const Exiv2::Blob &blob)
{
    return QByteArray(reinterpret_cast<const char *>(blob.data()), qsizetype(blob.size()));
}

QByteArray encodeExif(const Exiv2::ExifData &exif)
{
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
    return bytesOf(blob);
}

} // namespace MetadataDetail


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
    const auto exiv2 = lockExiv2();
    startExiv2();
    PictureMetadata metadata;
    Data &m = *metadata.d;
    try {
        // Looked through for packets too large to parse before Exiv2 parses them.
        QFile source(sourcePath);
        const uchar *mapped = source.open(QIODevice::ReadOnly) && source.size() > 0 ? source.map(0, source.size())
                                                                                     : nullptr;
        QByteArray hidden;
        const bool oversized = mapped
                               && XmpPacket::hideOversized(hidden, QByteArrayView(mapped, source.size()), &m.xmpPacket);
        Exiv2::Image::AutoPtr file
            = oversized ? Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(hidden.constData()),
                                                    long(hidden.size()))
                        : Exiv2::ImageFactory::open(QFile::encodeName(sourcePath).toStdString());
        file->readMetadata();
        m.exif = file->exifData();
        m.iptc = file->iptcData();
        if (oversized) {
            m.xmpParsed = false;
            m.xmpOversized = true;
        } else {
            m.xmp = file->xmpData();
            m.xmpPacket = file->xmpPacket();
            m.xmpParsed = m.xmpPacket.empty() || !m.xmp.empty();
            // Exiv2 reads no extended XMP: a pointer to it would lead nowhere.
            const auto extension = m.xmp.findKey(Exiv2::XmpKey("Xmp.xmpNote.HasExtendedXMP"));
            if (extension != m.xmp.end())
                m.xmp.erase(extension);
        }
        return metadata;
    } catch (const Exiv2::AnyError &) {
        // A format Exiv2 does not know (or a damaged block): what the decoder found.
    }
    m = Data();
    try {
        decodeExifProfile(m.exif, profileOf(decoded, "EXIF"));
        m.xmpPacket = profileOf(decoded, "XMP");
        const QByteArrayView packet(m.xmpPacket.data(), qsizetype(m.xmpPacket.size()));
        m.xmpOversized = !XmpPacket::parseable(packet);
        m.xmpParsed = m.xmpPacket.empty()
                      || (!m.xmpOversized && Exiv2::XmpParser::decode(m.xmp, m.xmpPacket) == 0 && !m.xmp.empty());
    } catch (const Exiv2::AnyError &) {
        m = Data();
    }
    return metadata;
}

bool PictureMetadata::isEmpty() const
{
    return d->exif.empty() && d->iptc.empty() && d->xmp.empty() && d->xmpPacket.empty();
}

int PictureMetadata::orientation() const
{
    const auto tag = d->exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    return tag != d->exif.end() && tag->count() > 0 ? int(tag->toLong()) : 0;
}

QStringList PictureMetadata::notes() const
{
    return d->notes;
}

void PictureMetadata::removeAsAsked(const OutputOptions &options)
{
    const auto exiv2 = lockExiv2();
    Data &m = *d;
    if (options.stripMetadata) {
        m = Data();
        m.stripped = true;
        return;
    }
    // Exiv2 does not read the directories a thumbnail's own directory points to:
    // written again, their pointers would lead nowhere.
    for (auto i = m.exif.begin(); i != m.exif.end();) {
        const uint16_t tag = i->tag();
        if (i->groupName() == "Thumbnail" && (tag == 0x8825 || tag == 0x8769 || tag == 0xA005))
            i = m.exif.erase(i);
        else
            ++i;
    }
    if (!options.stripGps)
        return;
    LocationFields::removeFrom(m.exif);
    LocationFields::removeFrom(m.iptc);
    LocationFields::removeFrom(m.xmp);
    // A packet we cannot read we cannot clean either: it does not go along.
    if (!m.xmpParsed) {
        m.leaveOutXmp(m.xmpOversized
                          ? tr("XMP metadata left out: too large to remove the location from it")
                          : tr("XMP metadata left out: it cannot be read, so the location cannot be removed from it"));
    }
}

void PictureMetadata::adapt(const OutputOptions &options, const Magick::Image &finished, bool turnedUpright,
                            bool pixelsChanged)
{
    const auto exiv2 = lockExiv2();
    removeAsAsked(options);
    Data &m = *d;
    if (m.stripped)
        return;

    if (turnedUpright) {
        if (!m.exif.empty())
            m.exif["Exif.Image.Orientation"] = uint16_t(1);
        auto orientation = m.xmp.findKey(Exiv2::XmpKey("Xmp.tiff.Orientation"));
        if (orientation != m.xmp.end())
            orientation->setValue("1");
        // An orientation in a packet we do not parse would turn the picture again.
        if (!m.xmpParsed && m.xmpPacket.find("Orientation") != std::string::npos)
            m.leaveOutXmp(tr("XMP metadata left out: too large to correct the orientation in it"));
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

Status PictureMetadata::prepareImage(Magick::Image &image, const QString &extension)
{
    return ImageLibrary::call([&] { return prepare(image, extension); });
}

Status PictureMetadata::prepare(Magick::Image &image, const QString &extension)
{
    const auto exiv2 = lockExiv2();
    Data &m = *d;
    const Carrier carrier = FormatCatalog::metadataCarrier(extension);
    image.modifyImage();
    // The encoder would write the source's metadata as it found it: everything
    // but the colour profile is taken off and given back below, as adapted.
    // Other formats keep the decoder's other profiles (a Photoshop block, say),
    // which only the image library can place there; its IPTC is replaced by
    // ours once the location is taken out of it.
    for (const QString &name : profileNames(image)) {
        if (isColourProfile(name))
            continue;
        const QString upper = name.toUpper();
        const bool replaced = upper == QLatin1String("EXIF") || upper == QLatin1String("XMP")
                              || upper == QLatin1String("IPTC") || upper == QLatin1String("8BIM");
        if (carrier != Carrier::Encoder || replaced || m.stripped)
            MagickLib::DeleteImageProfile(image.image(), name.toLatin1().constData());
    }
    dropSourceNotes(image, carrier == Carrier::Jpeg, m.stripped);
    if (carrier != Carrier::Encoder || m.stripped)
        return {};

    try {
        if (!m.exif.empty()) {
            const QByteArray exif = QByteArray(exifHeader, sizeof exifHeader) + encodeExif(m.exif);
            image.profile("EXIF", Magick::Blob(exif.constData(), size_t(exif.size())));
        }
        if (!m.iptc.empty()) {
            const Exiv2::DataBuf iptc = Exiv2::IptcParser::encode(m.iptc);
            image.profile("IPTC", Magick::Blob(iptc.pData_, size_t(iptc.size_)));
        }
        std::string packet = m.xmpPacket;
        if (m.xmpParsed && !m.xmp.empty())
            Exiv2::XmpParser::encode(packet, m.xmp);
        else if (m.xmpParsed)
            packet.clear();
        if (packet.size() > size_t(XmpPacket::maxCarriedBytes))
            m.leaveOutXmp(tr("XMP metadata left out: too large"));
        else if (!packet.empty())
            image.profile("XMP", Magick::Blob(packet.data(), packet.size()));
    } catch (const Exiv2::AnyError &error) {
        return Failure{tr("Cannot write the picture's metadata: %1").arg(exiv2Reason(error))};
    }
    return {};
}
