#include "engine/metadata/picturemetadata.h"
#include "engine/metadata/picturemetadata_p.h"

#include <QByteArrayView>

#include <unistd.h>

#include "engine/metadata/pngchunks.h"
#include "engine/metadata/xmppacket.h"

using namespace MetadataDetail;

namespace {

Result<QByteArray> readAll(FILE *stream)
{
    std::fflush(stream);
    std::fseek(stream, 0, SEEK_END);
    const long size = std::ftell(stream);
    QByteArray bytes(qsizetype(std::max(size, 0L)), Qt::Uninitialized);
    std::rewind(stream);
    if (size < 0 || std::fread(bytes.data(), 1, size_t(size), stream) != size_t(size))
        return Failure{tr("Cannot read back the encoded picture")};
    return bytes;
}

Status replaceAll(FILE *stream, const QByteArray &bytes)
{
    std::rewind(stream);
    const bool written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size())
                         && std::fflush(stream) == 0;
    if (!written || ::ftruncate(fileno(stream), off_t(bytes.size())) != 0)
        return Failure{tr("Cannot write the picture's metadata")};
    return {};
}

// The format of a copy, told by its first bytes as the writers below tell
// them apart; empty for any they do not take.
QString formatOfContent(const QByteArray &bytes)
{
    if (JpegMetadata::isJpeg(bytes))
        return QStringLiteral("jpg");
    if (PngChunks::isPng(bytes))
        return QStringLiteral("png");
    if (bytes.startsWith(QByteArrayView("II*\0", 4)) || bytes.startsWith(QByteArrayView("MM\0*", 4)))
        return QStringLiteral("tif");
    if (bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP")
        return QStringLiteral("webp");
    return QString();
}

} // namespace

void PictureMetadata::Data::leaveOutXmp(const QString &why)
{
    if (!xmpPacket.empty() || !xmp.empty())
        notes.append(why);
    xmp.clear();
    xmpPacket.clear();
    xmpParsed = true;
    xmpOversized = false;
}

void PictureMetadata::Data::jpegXmp(JpegMetadata::Blocks &blocks)
{
    if (!xmpParsed) {
        // Carried as it came: when it does not fit one segment, all of it goes
        // into the extension, beside a standard packet that only names it.
        if (xmpPacket.size() > size_t(XmpPacket::maxCarriedBytes)) {
            leaveOutXmp(tr("XMP metadata left out: too large"));
        } else if (xmpPacket.size() <= size_t(JpegMetadata::maxStandardXmp)) {
            blocks.xmp = QByteArray(xmpPacket.data(), qsizetype(xmpPacket.size()));
        } else {
            blocks.xmpExtended = XmpPacket::unwrapped(xmpPacket);
            blocks.xmp = JpegMetadata::extensionStub(JpegMetadata::extensionGuid(blocks.xmpExtended));
        }
        return;
    }
    if (xmp.empty())
        return;
    std::string packet;
    if (Exiv2::XmpParser::encode(packet, xmp, Exiv2::XmpParser::useCompactFormat) == 0
        && packet.size() <= size_t(JpegMetadata::maxStandardXmp)) {
        blocks.xmp = QByteArray(packet.data(), qsizetype(packet.size()));
    } else if (!XmpPacket::splitForJpeg(xmp, &blocks.xmp, &blocks.xmpExtended)) {
        leaveOutXmp(tr("XMP metadata left out: too large for a JPEG file"));
    }
}

QByteArray PictureMetadata::Data::throughExiv2(const QByteArray &bytes, Carrier carrier, bool tiff)
{
    // A packet of the file's own too large to parse is replaced all the same.
    QByteArray readable;
    XmpPacket::hideOversized(readable, bytes, nullptr);
    const QByteArray &in = readable.isEmpty() ? bytes : readable;
    Exiv2::Image::AutoPtr output
        = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(in.constData()), long(in.size()));
    output->readMetadata();  // the colour profile stays
    if (carrier == Carrier::Png || stripped) {
        output->clearExifData();
    } else if (tiff) {
        // A thumbnail's directory would be a second page in a TIFF.
        Exiv2::ExifData withoutThumbnail = exif;
        Exiv2::ExifThumb(withoutThumbnail).erase();
        output->setExifData(withoutThumbnail);
    } else {
        output->setExifData(exif);
    }
    if (output->supportsMetadata(Exiv2::mdIptc))
        output->setIptcData(iptc);
    if (output->supportsMetadata(Exiv2::mdComment) && stripped)
        output->clearComment();
    if (!xmpParsed && xmpPacket.size() > size_t(XmpPacket::maxCarriedBytes))
        leaveOutXmp(tr("XMP metadata left out: too large"));
    // Exiv2's TIFF writer takes the packet from the XMP data, the others from
    // the image: both are set. The data read from the file is never reused,
    // since it may hold the packet as it was read.
    Exiv2::XmpData packet;
    if (xmpParsed) {
        packet = xmp;
        packet.usePacket(false);
        output->clearXmpPacket();
        output->setXmpData(packet);
        output->writeXmpFromPacket(false);
    } else {
        packet.setPacket(xmpPacket);  // as it came, unparsed
        packet.usePacket(true);
        output->setXmpData(packet);
        output->xmpPacket() = xmpPacket;
        output->writeXmpFromPacket(true);
    }
    output->writeMetadata();

    Exiv2::BasicIo &io = output->io();
    io.open();
    const Exiv2::DataBuf written = io.read(long(io.size()));
    io.close();
    QByteArray result(reinterpret_cast<const char *>(written.pData_), qsizetype(written.size_));
    if (carrier == Carrier::Png && !stripped && !exif.empty())
        result = PngChunks::withExif(result, encodeExif(exif));
    return carrier == Carrier::Png ? PngChunks::metadataFirst(result) : result;
}

JpegMetadata::Blocks PictureMetadata::Data::jpegBlocks()
{
    constexpr qsizetype room = 65533 - qsizetype(sizeof exifHeader);
    JpegMetadata::Blocks blocks;
    if (!exif.empty()) {
        blocks.exif = encodeExif(exif);
        if (blocks.exif.size() > room) {  // a large thumbnail is the first to go
            Exiv2::ExifThumb(exif).erase();
            blocks.exif = encodeExif(exif);
        }
        if (blocks.exif.size() > room) {
            blocks.exif.clear();
            notes.append(tr("EXIF metadata left out: too large for a JPEG file"));
        }
    }
    if (!iptc.empty()) {
        const Exiv2::DataBuf irb = Exiv2::Photoshop::setIptcIrb(nullptr, 0, iptc);
        blocks.iptc = QByteArray(reinterpret_cast<const char *>(irb.pData_), qsizetype(irb.size_));
    }
    jpegXmp(blocks);
    return blocks;
}

Result<QByteArray> PictureMetadata::Data::rewritten(QByteArray bytes, Carrier carrier, bool tiff)
{
    startExiv2();
    const auto exiv2 = lockExiv2();
    try {
        if (carrier == Carrier::Jpeg) {
            bytes = JpegMetadata::rewrite(bytes, jpegBlocks(), !stripped);
            if (bytes.isEmpty())
                return Failure{tr("Cannot write the picture's metadata: the file is no complete JPEG")};
            return bytes;
        }
        if (carrier == Carrier::Png)
            bytes = PngChunks::withoutMetadata(bytes, stripped);
        if (carrier == Carrier::Png && stripped)
            return bytes;
        return throughExiv2(bytes, carrier, tiff);
    } catch (const Exiv2::AnyError &error) {
        return Failure{tr("Cannot write the picture's metadata: %1").arg(exiv2Reason(error))};
    }
}

Status PictureMetadata::Data::rewrite(FILE *stream, Carrier carrier, bool tiff)
{
    const Result<QByteArray> bytes = readAll(stream);
    if (!bytes)
        return Failure{bytes.error()};
    const Result<QByteArray> written = rewritten(bytes.value(), carrier, tiff);
    if (!written)
        return Failure{written.error()};
    return replaceAll(stream, written.value());
}

Status PictureMetadata::writeInto(FILE *stream, const QString &extension)
{
    const Carrier carrier = FormatCatalog::metadataCarrier(extension);
    if (carrier == Carrier::Encoder || isEmpty())
        return {};
    return d->rewrite(stream, carrier, FormatCatalog::isTiff(extension));
}

Status PictureMetadata::writeIntoCopy(FILE *stream)
{
    std::fflush(stream);
    std::rewind(stream);
    char head[12] = {};
    const size_t got = std::fread(head, 1, sizeof head, stream);
    const QString format = formatOfContent(QByteArray(head, qsizetype(got)));
    const Carrier carrier = FormatCatalog::metadataCarrier(format);
    if (carrier == Carrier::Encoder)
        return Failure{tr("Cannot remove the metadata: the file is no JPEG, PNG, TIFF or WebP picture")};
    return d->rewrite(stream, carrier, FormatCatalog::isTiff(format));
}
