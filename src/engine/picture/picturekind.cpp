#include "engine/picture/picturekind.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <Magick++.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <algorithm>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PictureCodec", text);
}

bool listed(const QSet<QString> &formats, const QString &format)
{
    return formats.contains(format.toUpper());
}

// True when the suffix names the format itself or another name of its decoder
// (".svgz" for SVG, ".jpeg" for JPG).
bool suffixNames(const QString &suffix, const QString &format)
{
    if (suffix.compare(format, Qt::CaseInsensitive) == 0)
        return true;
    if (suffix.isEmpty())
        return false;
    MagickLib::ExceptionInfo exception;
    MagickLib::GetExceptionInfo(&exception);
    const MagickLib::MagickInfo *named = MagickLib::GetMagickInfo(suffix.toUpper().toLatin1().constData(), &exception);
    const MagickLib::MagickInfo *found = MagickLib::GetMagickInfo(format.toUpper().toLatin1().constData(), &exception);
    MagickLib::DestroyExceptionInfo(&exception);
    return named && found && named->decoder && named->decoder == found->decoder;
}

} // namespace

namespace PictureKind {

QString formatOf(const char *data, qint64 size)
{
    if (size <= 0)
        return QString();
    char format[MaxTextExtent] = {};
    MagickLib::ExceptionInfo exception;
    MagickLib::GetExceptionInfo(&exception);
    const auto header = reinterpret_cast<const unsigned char *>(data);
    const bool found = MagickLib::GetMagickFileFormat(header, size_t(std::min(size, headerSize)), format,
                                                      sizeof format, &exception)
                       == MagickPass;
    MagickLib::DestroyExceptionInfo(&exception);
    return found ? QString::fromLatin1(format) : QString();
}

bool isPictureFormat(const QString &format)
{
    // Raster formats whose decoders read pixels and nothing else: no drawing
    // commands, no references to other files, no programs run on the content.
    static const QSet<QString> pictures{
        "JPEG", "JPG",  "JNG",  "PNG",  "PNG8", "PNG24", "PNG32", "PNG48", "PNG64", "PNG00", "MNG",
        "TIFF", "TIF",  "PTIF", "BIGTIFF", "GIF", "GIF87", "BMP", "BMP2", "BMP3", "ICO",  "ICON", "CUR",
        "WEBP", "HEIF", "HEIC", "AVIF", "JXL",  "JP2",  "J2K",  "JPC",  "JPX",  "PCX",  "DCX",  "TGA",
        "ICB",  "VDA",  "VST",  "PNM",  "PBM",  "PGM",  "PPM",  "PAM",  "PSD",  "XCF",  "SGI",  "SUN",
        "RAS",  "RLA",  "RLE",  "DPX",  "CIN",  "FITS", "MIFF", "MTV",  "OTB",  "PALM", "PCD",  "PCDS",
        "VIFF", "XV",   "WBMP", "XBM",  "XPM",  "PICON", "XWD", "DIB",  "JBIG", "JBG",  "BIE",  "CALS",
        "PICT", "PCT",  "DCM",  "CUT",  "HRZ",  "ART",  "AVS",  "MAT",  "PIX",  "PWP",  "SCT",  "SFW",
        "TIM",  "TOPOL", "VICAR", "MAC", "FAX",  "G3",   "DCRAW", "3FR", "ARW",  "CR2",  "CRW",  "DCR",
        "DNG",  "ERF",  "K25",  "KDC",  "MEF",  "MRW",  "NEF",  "ORF",  "PEF",  "RAF",  "SR2",  "SRF",
        "X3F",  "GRAY", "GRAYA", "RGB", "RGBA", "CMYK", "CMYKA", "UYVY", "YUV", "MONO"};
    return listed(pictures, format);
}

bool isDocumentFormat(const QString &format)
{
    static const QSet<QString> documents{"PS",   "PS2",  "PS3",  "EPS",  "EPS2", "EPS3", "EPSF", "EPSI",
                                         "EPI",  "EPT",  "EPT2", "EPT3", "PDF",  "EPDF", "PCL"};
    return listed(documents, format);
}

Result<QString> admit(const QString &path, const char *header, qint64 size, bool allowDocuments)
{
    const QString suffix = QFileInfo(path).suffix();
    QString format = formatOf(header, size);
    const bool fromContent = !format.isEmpty();
    if (!fromContent)
        format = suffix.toUpper();
    // A picture is read for what its content shows, whatever its name.
    if (fromContent && isPictureFormat(format))
        return format;
    const QString name = QDir::toNativeSeparators(path);
    if (fromContent && !suffixNames(suffix, format)) {
        return Failure{tr("%1 holds %2 data, which is read only from a file named .%3").arg(name, format, format.toLower())};
    }
    if (isDocumentFormat(format) && !allowDocuments) {
        return Failure{tr("%1 is a %2 document; documents are read only when \"Read PostScript and PDF documents\" is on")
                           .arg(name, format)};
    }
    if (format.isEmpty())
        return Failure{notAPicture(path)};
    return format;
}

bool isSpecialFile(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode);
}

Result<QString> admitFile(const QString &path, bool allowDocuments)
{
    // One open, one status and one read: every copied picture passes here, and a
    // copy itself costs little more. Opened without blocking, so that a FIFO is
    // told apart instead of waited on.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Failure{tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno)))};
    struct stat status;
    char header[headerSize];
    ssize_t size = -1;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        do
            size = ::read(fd, header, sizeof header);
        while (size < 0 && errno == EINTR);
    }
    ::close(fd);
    if (size <= 0)
        return Failure{notAPicture(path)};
    return admit(path, header, size, allowDocuments);
}

Status isPictureFile(const QString &path, bool allowDocuments)
{
    const Result<QString> format = admitFile(path, allowDocuments);
    if (!format)
        return Failure{format.error()};
    if (isPictureFormat(format.value()) || (allowDocuments && isDocumentFormat(format.value())))
        return {};
    return Failure{notAPicture(path)};
}

QString notAPicture(const QString &path)
{
    return tr("%1 is not a picture file").arg(QDir::toNativeSeparators(path));
}

} // namespace PictureKind
