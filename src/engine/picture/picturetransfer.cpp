#include "engine/picture/picturetransfer.h"

#include <QCoreApplication>
#include <QDir>

#include <magick/api.h>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "engine/picture/picturecodec.h"
#include "engine/runtime/imagelibrary.h"

namespace {

constexpr char magicBytes[8] = {'K', 'V', 'D', 'E', 'C', '\0', '\1', '\0'};
enum Kind : quint32 { KindPicture = 1, KindFailure = 2 };

struct Header
{
    char magic[8];
    quint32 kind;
    quint32 columns;
    quint32 rows;
    qint32 orientation;
    qint32 compression;
    qint32 interlace;
    qint32 grayscale;
    qint32 monochrome;
    qint32 taint;
    qint32 storageClass;
    quint32 depth;
    quint32 colors;  // of the colour map that follows the indexes, if any
    quint32 pageWidth;
    quint32 pageHeight;
    qint32 pageX;
    qint32 pageY;
    char magick[32];
    quint64 length;  // of what follows the header: for a picture, the MIFF of its attributes
    quint64 pixelBytes;  // then its pixels as the library keeps them
    quint64 indexBytes;  // then its colour indexes (a palette picture) or CMYK alpha, if any
};

bool writeAll(int fd, const void *data, size_t size)
{
    const char *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= size_t(written);
    }
    return true;
}

Header headerOf(Kind kind, quint64 length)
{
    Header header;
    std::memset(&header, 0, sizeof header);
    std::memcpy(header.magic, magicBytes, sizeof magicBytes);
    header.kind = kind;
    header.length = length;
    return header;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("PictureCodec", text);
}

// Reads `size` bytes at `offset` straight into `data`: no mapping of the shared
// file, whose pages would each cost a fault on the way.
bool readAt(int fd, void *data, size_t size, quint64 offset)
{
    char *bytes = static_cast<char *>(data);
    while (size > 0) {
        const ssize_t got = ::pread(fd, bytes, size, off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        size -= size_t(got);
        offset += quint64(got);
    }
    return true;
}

// The pixels land in memory the library has just reserved and nothing has
// touched yet: in huge pages its first touch costs a fraction.
void preferHugePages(void *data, size_t size)
{
    constexpr uintptr_t hugePage = 2 << 20;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + hugePage - 1) & ~(hugePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(hugePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
}

// Frees the library's exception record however the read ends.
struct LibraryException
{
    LibraryException() { MagickLib::GetExceptionInfo(&info); }
    ~LibraryException() { MagickLib::DestroyExceptionInfo(&info); }
    MagickLib::ExceptionInfo info;
};

// MIFF stores the colour and IPTC profiles under names of its own ("icc",
// "iptc") and reads them back under those, where the encoders look for the
// library's names: a PNG would carry the colour profile twice.
void restoreProfileNames(MagickLib::Image *image)
{
    struct Renamed
    {
        const char *stored;
        const char *name;
    };
    for (const Renamed &renamed : {Renamed{"icc", "ICM"}, Renamed{"iptc", "IPTC"}}) {
        QByteArray profile;
        MagickLib::ImageProfileIterator profiles = MagickLib::AllocateImageProfileIterator(image);
        const char *name = nullptr;
        const unsigned char *data = nullptr;
        size_t length = 0;
        while (profiles && MagickLib::NextImageProfile(profiles, &name, &data, &length) == MagickPass) {
            if (name && std::strcmp(name, renamed.stored) == 0)
                profile = QByteArray(reinterpret_cast<const char *>(data), int(length));
        }
        MagickLib::DeallocateImageProfileIterator(profiles);
        if (profile.isNull())
            continue;
        MagickLib::DeleteImageProfile(image, renamed.stored);
        MagickLib::SetImageProfile(image, renamed.name, reinterpret_cast<const unsigned char *>(profile.constData()),
                                   size_t(profile.size()));
    }
}

// The picture into `fd`; false when the file could not be written.
bool writePicture(int fd, Magick::Image &image)
{
    Header header = headerOf(KindPicture, 0);
    const MagickLib::Image *picture = image.constImage();
    header.columns = picture->columns;
    header.rows = picture->rows;
    header.orientation = picture->orientation;
    header.compression = picture->compression;
    header.interlace = picture->interlace;
    header.grayscale = picture->is_grayscale;
    header.monochrome = picture->is_monochrome;
    header.taint = picture->taint;
    header.storageClass = picture->storage_class;
    header.depth = picture->depth;
    header.colors = picture->storage_class == MagickLib::PseudoClass && picture->colormap ? picture->colors : 0;
    header.pageWidth = quint32(picture->page.width);
    header.pageHeight = quint32(picture->page.height);
    header.pageX = qint32(picture->page.x);
    header.pageY = qint32(picture->page.y);
    std::strncpy(header.magick, image.magick().c_str(), sizeof header.magick - 1);

    // The attributes and profiles travel as the MIFF of a one-pixel copy, the
    // pixels and the colour map as they are: decoding MIFF pixels costs more than
    // the decoding it saves, and its colour maps of 16 bits come out cut short.
    LibraryException exception;
    MagickLib::Image *copy = MagickLib::CloneImage(picture, 1, 1, MagickTrue, &exception.info);
    if (!copy)
        return false;
    Magick::Image attributes(copy);
    attributes.modifyImage();
    MagickLib::PixelPacket *one = MagickLib::SetImagePixels(attributes.image(), 0, 0, 1, 1);
    if (!one)
        return false;
    *one = MagickLib::PixelPacket{};
    if (MagickLib::IndexPacket *index = MagickLib::AccessMutableIndexes(attributes.image()))
        *index = 0;
    MagickLib::SyncImagePixels(attributes.image());
    attributes.classType(Magick::DirectClass);
    attributes.compressType(Magick::NoCompression);
    Magick::Blob blob;
    attributes.write(&blob, "MIFF");
    header.length = blob.length();

    const size_t pixels = size_t(header.columns) * header.rows;
    const MagickLib::PixelPacket *packets = image.getConstPixels(0, 0, header.columns, header.rows);
    if (!packets)
        return false;
    const MagickLib::IndexPacket *indexes = image.getConstIndexes();
    header.pixelBytes = pixels * sizeof(MagickLib::PixelPacket);
    header.indexBytes = indexes ? pixels * sizeof(MagickLib::IndexPacket) : 0;
    return writeAll(fd, &header, sizeof header) && writeAll(fd, blob.data(), blob.length())
           && writeAll(fd, packets, header.pixelBytes) && (!indexes || writeAll(fd, indexes, header.indexBytes))
           && writeAll(fd, picture->colormap, header.colors * sizeof(MagickLib::PixelPacket));
}

} // namespace

namespace PictureTransfer {

Status sendPicture(int fd, Magick::Image &image)
{
    const Result<bool> sent = ImageLibrary::call([&] { return writePicture(fd, image); });
    if (!sent)
        return Failure{sent.error()};
    return sent.value() ? Status() : Failure{};
}

bool sendFailure(int fd, const QString &message)
{
    const QByteArray text = message.toUtf8();
    const Header header = headerOf(KindFailure, quint64(text.size()));
    return writeAll(fd, &header, sizeof header) && writeAll(fd, text.constData(), size_t(text.size()));
}

Result<Magick::Image> receive(int fd, const QString &path, long long budget)
{
    struct stat status;
    if (::fstat(fd, &status) != 0 || status.st_size <= 0)
        return Failure{};
    const quint64 size = quint64(status.st_size);
    const QString noPicture = tr("The decoder of %1 handed back no picture").arg(QDir::toNativeSeparators(path));
    Header header;
    if (size < sizeof header || !readAt(fd, &header, sizeof header, 0)
        || std::memcmp(header.magic, magicBytes, sizeof magicBytes) != 0 || header.length > size - sizeof header)
        return Failure{noPicture};
    if (header.kind == KindFailure) {
        QByteArray text(int(std::min<quint64>(header.length, 64 * 1024)), '\0');
        if (!readAt(fd, text.data(), size_t(text.size()), sizeof header))
            return Failure{noPicture};
        return Failure{QString::fromUtf8(text)};
    }
    if (header.kind != KindPicture || header.length > 64 << 20)
        return Failure{noPicture};
    QByteArray payload(int(header.length), '\0');
    if (!readAt(fd, payload.data(), size_t(payload.size()), sizeof header))
        return Failure{noPicture};

    // The helper checked the size against the budget already; a helper that was
    // made to lie must not make this process take more.
    const long long pixels = static_cast<long long>(header.columns) * header.rows;
    if (pixels > budget)
        return Failure{PictureCodec::overBudget(path, header.columns, header.rows, budget)};
    const quint64 left = size - sizeof header - header.length;
    const quint64 pixelBytes = quint64(pixels) * sizeof(MagickLib::PixelPacket);
    const quint64 indexBytes = quint64(pixels) * sizeof(MagickLib::IndexPacket);
    const quint64 colormapBytes = quint64(header.colors) * sizeof(MagickLib::PixelPacket);
    if (pixels <= 0 || header.pixelBytes != pixelBytes || (header.indexBytes != 0 && header.indexBytes != indexBytes)
        || header.colors > MaxColormapSize || left < header.pixelBytes + header.indexBytes + colormapBytes)
        return Failure{noPicture};

    MagickLib::ImageInfo *info = MagickLib::CloneImageInfo(nullptr);
    std::strcpy(info->magick, "MIFF");
    std::strcpy(info->filename, "MIFF:");
    LibraryException readException;
    MagickLib::Image *attributes = MagickLib::BlobToImage(info, payload.constData(), size_t(payload.size()), &readException.info);
    MagickLib::DestroyImageInfo(info);
    if (!attributes || attributes->columns != 1 || attributes->rows != 1) {
        if (attributes)
            MagickLib::DestroyImageList(attributes);
        return Failure{noPicture};
    }
    restoreProfileNames(attributes);
    LibraryException cloneException;
    MagickLib::Image *picture = MagickLib::CloneImage(attributes, header.columns, header.rows, MagickTrue,
                                                      &cloneException.info);
    MagickLib::DestroyImageList(attributes);
    if (!picture) {
        const Status thrown = ImageLibrary::call([&] { Magick::throwException(cloneException.info); });
        return Failure{thrown ? noPicture : thrown.error()};
    }
    Magick::Image image(picture);
    // The colour map first: it decides whether there are indexes at all.
    const quint64 at = sizeof header + header.length;
    if (header.colors > 0) {
        if (!MagickLib::AllocateImageColormap(picture, header.colors)
            || !readAt(fd, picture->colormap, size_t(colormapBytes), at + header.pixelBytes + header.indexBytes))
            return Failure{noPicture};
    }
    picture->storage_class = MagickLib::ClassType(header.storageClass);
    picture->depth = header.depth;
    picture->page.width = header.pageWidth;
    picture->page.height = header.pageHeight;
    picture->page.x = header.pageX;
    picture->page.y = header.pageY;
    MagickLib::PixelPacket *packets = MagickLib::SetImagePixels(picture, 0, 0, header.columns, header.rows);
    MagickLib::IndexPacket *indexes = packets && header.indexBytes ? MagickLib::AccessMutableIndexes(picture) : nullptr;
    if (!packets || (header.indexBytes && !indexes))
        return Failure{noPicture};
    preferHugePages(packets, size_t(header.pixelBytes));
    if (!readAt(fd, packets, size_t(header.pixelBytes), at)
        || (indexes && !readAt(fd, indexes, size_t(header.indexBytes), at + header.pixelBytes)))
        return Failure{noPicture};
    MagickLib::SyncImagePixels(picture);
    picture->is_grayscale = header.grayscale;
    picture->is_monochrome = header.monochrome;
    picture->taint = header.taint;
    header.magick[sizeof header.magick - 1] = '\0';
    image.magick(header.magick);
    // The picture's own, as the decoder left them; the options of its writing
    // stay the defaults, as in-process decoding leaves them.
    picture->compression = MagickLib::CompressionType(header.compression);
    picture->orientation = MagickLib::OrientationType(header.orientation);
    picture->interlace = MagickLib::InterlaceType(header.interlace);
    image.subImage(0);
    image.subRange(1);
    return image;
}

} // namespace PictureTransfer
