#include "picturetransfer.h"

#include <QCoreApplication>
#include <QDir>

#include <magick/api.h>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "picturecodec.h"

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
    char magick[32];
    quint64 length;  // of what follows the header
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

// The mapping of the shared file, given back however reading ends.
class Mapping
{
public:
    explicit Mapping(int fd)
    {
        struct stat status;
        if (::fstat(fd, &status) != 0 || status.st_size <= 0)
            return;
        void *address = ::mmap(nullptr, size_t(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (address == MAP_FAILED)
            return;
        m_data = static_cast<const char *>(address);
        m_size = size_t(status.st_size);
    }
    ~Mapping()
    {
        if (m_data)
            ::munmap(const_cast<char *>(m_data), m_size);
    }
    Mapping(const Mapping &) = delete;
    Mapping &operator=(const Mapping &) = delete;

    const char *data() const { return m_data; }
    size_t size() const { return m_size; }

private:
    const char *m_data = nullptr;
    size_t m_size = 0;
};

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

} // namespace

namespace PictureTransfer {

bool sendPicture(int fd, Magick::Image &image)
{
    Header header = headerOf(KindPicture, 0);
    header.columns = image.columns();
    header.rows = image.rows();
    header.orientation = image.orientation();
    header.compression = image.compressType();
    header.interlace = image.constImage()->interlace;
    std::strncpy(header.magick, image.magick().c_str(), sizeof header.magick - 1);
    // Stored plainly: the other side reads it from memory at once.
    image.compressType(Magick::NoCompression);
    Magick::Blob blob;
    image.write(&blob, "MIFF");
    header.length = blob.length();
    return writeAll(fd, &header, sizeof header) && writeAll(fd, blob.data(), blob.length());
}

bool sendFailure(int fd, const QString &message)
{
    const QByteArray text = message.toUtf8();
    const Header header = headerOf(KindFailure, quint64(text.size()));
    return writeAll(fd, &header, sizeof header) && writeAll(fd, text.constData(), size_t(text.size()));
}

bool receive(int fd, const QString &path, long long budget, Magick::Image *image, QString *failure)
{
    const Mapping mapping(fd);
    if (mapping.size() == 0) {
        failure->clear();
        return false;
    }
    Header header;
    if (mapping.size() < sizeof header)
        throw PictureError(tr("The decoder of %1 handed back no picture").arg(QDir::toNativeSeparators(path)));
    std::memcpy(&header, mapping.data(), sizeof header);
    const char *payload = mapping.data() + sizeof header;
    if (std::memcmp(header.magic, magicBytes, sizeof magicBytes) != 0
        || header.length > mapping.size() - sizeof header)
        throw PictureError(tr("The decoder of %1 handed back no picture").arg(QDir::toNativeSeparators(path)));
    if (header.kind == KindFailure) {
        *failure = QString::fromUtf8(payload, int(std::min<quint64>(header.length, 64 * 1024)));
        return false;
    }
    if (header.kind != KindPicture)
        throw PictureError(tr("The decoder of %1 handed back no picture").arg(QDir::toNativeSeparators(path)));

    // The helper checked the size against the budget already; a helper that was
    // made to lie must not make this process decode more.
    MagickLib::ImageInfo *info = MagickLib::CloneImageInfo(nullptr);
    std::strcpy(info->magick, "MIFF");
    std::strcpy(info->filename, "MIFF:");
    LibraryException pingException;
    MagickLib::Image *pinged = MagickLib::PingBlob(info, payload, size_t(header.length), &pingException.info);
    const bool sizeTold = pinged && pinged->columns == header.columns && pinged->rows == header.rows;
    if (pinged)
        MagickLib::DestroyImageList(pinged);
    const long long pixels = static_cast<long long>(header.columns) * header.rows;
    if (!sizeTold || pixels > budget) {
        MagickLib::DestroyImageInfo(info);
        if (!sizeTold)
            throw PictureError(tr("The decoder of %1 handed back no picture").arg(QDir::toNativeSeparators(path)));
        throw PictureError(PictureCodec::overBudget(path, header.columns, header.rows, budget));
    }
    LibraryException readException;
    MagickLib::Image *read = MagickLib::BlobToImage(info, payload, size_t(header.length), &readException.info);
    MagickLib::DestroyImageInfo(info);
    if (!read || readException.info.severity >= MagickLib::ErrorException) {
        if (read)
            MagickLib::DestroyImageList(read);
        Magick::throwException(readException.info);
        throw PictureError(tr("The decoder of %1 handed back no picture").arg(QDir::toNativeSeparators(path)));
    }
    restoreProfileNames(read);
    *image = Magick::Image(read);
    header.magick[sizeof header.magick - 1] = '\0';
    image->magick(header.magick);
    image->orientation(Magick::OrientationType(header.orientation));
    image->compressType(Magick::CompressionType(header.compression));
    image->modifyImage();
    image->image()->interlace = MagickLib::InterlaceType(header.interlace);
    image->subImage(0);
    image->subRange(1);
    return true;
}

} // namespace PictureTransfer
