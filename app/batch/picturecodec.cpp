#include "picturecodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <magick/api.h>

#include <cstdlib>

#include "filterinterface.h"
#include "filterregistry.h"
#include "formatcatalog.h"
#include "imagelibrary.h"

namespace {

QString formatFromContent(const char *data, qint64 size)
{
    char format[MaxTextExtent] = {};
    MagickLib::ExceptionInfo exception;
    MagickLib::GetExceptionInfo(&exception);
    const auto header = reinterpret_cast<const unsigned char *>(data);
    const size_t headerSize = size_t(std::min<qint64>(size, 8192));
    const bool found = MagickLib::GetMagickFileFormat(header, headerSize, format, sizeof format, &exception)
                       == MagickPass;
    MagickLib::DestroyExceptionInfo(&exception);
    return found ? QString::fromLatin1(format) : QString();
}

// Formats that are programs or documents rather than pictures: drawings whose
// commands name other files or run for as long as they like, scripts, text
// pages, PostScript, URLs; fonts, whose "picture" is a specimen sheet drawn line
// by line through Ghostscript (a minute for one small font); and formats the
// library hands to an outside program through the shell (MPEG, HP-GL, FIG, CGM,
// DVI, DOT, ILBM). A file is read as one of them only when its own name says so;
// a "photo" that turns out to hold one is refused.
bool readOnlyUnderOwnSuffix(const QString &format)
{
    static const QStringList formats{
        "SVG",  "SVGZ", "MVG",  "MSL",  "TXT",  "TEXT", "PS",   "PS2",   "PS3",   "EPS",   "EPSF",  "EPSI",
        "EPI",  "EPT",  "EPT2", "EPT3", "PDF",  "EPDF", "PCL",  "WMF",   "WPG",   "MPC",   "CACHE", "VID",
        "TILE", "IMAGE", "LABEL", "CAPTION", "FILE", "HTTP", "FTP", "URL", "X", "HTML", "SHTML",
        "PFA",  "PFB",  "TTF",  "MPEG", "MPG",  "M2V",  "HPGL", "FIG",   "CGM",   "DVI",   "DOT",   "ILBM"};
    return formats.contains(format, Qt::CaseInsensitive);
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

// The declared size, read from the header alone, against the budget of one picture.
void checkBudget(const Magick::Blob &blob, const QString &format, const QString &path)
{
    Magick::Image header;
    if (!format.isEmpty())
        header.magick(format.toStdString());
    header.subImage(0);  // the first page, see decode()
    header.subRange(1);
    const long long budget = ImageLibrary::pixelBudget();
    try {
        header.ping(blob);
    } catch (const Magick::WarningCoder &) {
        // A decoder's remark, see decode(): the header is read.
    } catch (const Magick::Error &error) {
        // Past a few budgets the library will not even tell the size; some of its
        // decoders (PNG) report that as their own error rather than as a limit.
        if (!dynamic_cast<const Magick::ErrorResourceLimit *>(&error)
            && !QByteArray(error.what()).contains("exceeds resource limit"))
            throw;
        throw PictureError(QCoreApplication::translate("PictureCodec", "%1 is larger than the library reads, more than %2 times the budget of %3 megapixels for one picture")
                               .arg(QDir::toNativeSeparators(path))
                               .arg(ImageLibrary::pixelLimit() / std::max(1LL, budget))
                               .arg(double(budget) / 1e6, 0, 'f', 1));
    }
    const long long pixels = static_cast<long long>(header.columns()) * header.rows();
    if (pixels > budget) {
        throw PictureError(QCoreApplication::translate("PictureCodec", "%1 is %2 x %3 pixels (%4 megapixels), more than the budget of %5 megapixels for one picture")
                               .arg(QDir::toNativeSeparators(path))
                               .arg(header.columns())
                               .arg(header.rows())
                               .arg(double(pixels) / 1e6, 0, 'f', 1)
                               .arg(double(budget) / 1e6, 0, 'f', 1));
    }
}

// Binds the library's output stream to a picture for one write, and unbinds it
// however the write ends: the picture must not keep a stream that is closed next.
class StreamBinding
{
public:
    StreamBinding(Magick::Image &image, FILE *stream) : m_image(image) { m_image.imageInfo()->file = stream; }
    ~StreamBinding() { m_image.imageInfo()->file = nullptr; }
    StreamBinding(const StreamBinding &) = delete;
    StreamBinding &operator=(const StreamBinding &) = delete;

private:
    Magick::Image &m_image;
};

// Some listed formats have a writer that puts out nothing ("NULL"); an empty
// file in place of a picture, and its source removed, would be a loss.
void checkWritten(FILE *stream, const QString &magick)
{
    std::fflush(stream);
    if (std::ftell(stream) <= 0)
        throw PictureError(QCoreApplication::translate("PictureCodec", "The %1 encoder wrote nothing").arg(magick));
}

// Camera raw files are TIFF inside, and read as TIFF give a preview at best. The
// raw helper develops them, with the settings the image library's own delegate
// uses, but given the path as an argument rather than as a name to parse. False
// when the helper is not installed or finds no raw picture in the file, which is
// then read for what its content is.
bool developRaw(const QString &path, Magick::Image &image)
{
    const QString dcraw = QStandardPaths::findExecutable(QStringLiteral("dcraw"));
    if (dcraw.isEmpty())
        return false;
    QProcess process;
    process.start(dcraw, {"-c", "-w", "-6", "-T", QFileInfo(path).absoluteFilePath()});
    process.closeWriteChannel();
    const bool developed = process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit
                           && process.exitCode() == 0;
    const QByteArray tiff = process.readAllStandardOutput();
    if (!developed || tiff.isEmpty())
        return false;
    const Magick::Blob blob(tiff.constData(), size_t(tiff.size()));
    const ImageLibrary::DecodingScope confined;
    checkBudget(blob, QStringLiteral("TIFF"), path);
    image.magick("TIFF");
    image.read(blob);
    image.magick("DCRAW");  // what it was read as: the helper has turned it upright already
    return true;
}

} // namespace

namespace PictureCodec {

Magick::Image decode(const QString &path)
{
    if (FormatCatalog::isCameraRaw(QFileInfo(path).suffix())) {
        Magick::Image developed;
        if (developRaw(path, developed))
            return developed;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw PictureError(QCoreApplication::translate("PictureCodec", "Cannot read %1: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    // Read straight into memory the blob then owns: a photograph is not copied twice.
    const qint64 size = file.size();
    char *data = static_cast<char *>(std::malloc(size_t(std::max<qint64>(size, 1))));
    if (!data)
        throw PictureError(QCoreApplication::translate("PictureCodec", "Not enough memory to read %1")
                               .arg(QDir::toNativeSeparators(path)));
    Magick::Blob blob;
    blob.updateNoCopy(data, size_t(size), Magick::Blob::MallocAllocator);
    if (file.read(data, size) != size) {
        throw PictureError(QCoreApplication::translate("PictureCodec", "Cannot read %1: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
    }

    const QString suffix = QFileInfo(path).suffix();
    QString format = formatFromContent(data, size);
    if (format.isEmpty())
        format = suffix.toUpper();
    if (readOnlyUnderOwnSuffix(format) && !suffixNames(suffix, format)) {
        throw PictureError(QCoreApplication::translate("PictureCodec", "%1 holds %2 data, which is read only from a file named .%3")
                               .arg(QDir::toNativeSeparators(path), format, format.toLower()));
    }
    const ImageLibrary::DecodingScope confined;
    checkBudget(blob, format, path);
    Magick::Image image;
    if (!format.isEmpty())
        image.magick(format.toStdString());
    // The picture is the first page: the pages after it, however many, are not decoded.
    image.subImage(0);
    image.subRange(1);
    try {
        image.read(blob);
    } catch (const Magick::WarningCoder &) {
        // The decoder remarks on a detail it leaves out and reads the whole picture:
        // libpng on the outdated sRGB profile of many photographs, or a gamma of 0.
        // A picture cut short or damaged warns otherwise, and fails.
    }
    return image;
}

void applyChain(const QList<ChainEntry> &chain, Magick::Image &image)
{
    for (const ChainEntry &entry : chain) {
        // A project may name a filter that is not installed; going on without it
        // would report a picture as converted that is not what was asked for.
        if (!entry.filter)
            throw PictureError(QCoreApplication::translate("PictureCodec", "A filter of the chain is not installed"));
        entry.filter->apply(entry.params, image);
    }
}

void write(Magick::Image &image, const QString &magick, int quality, FILE *stream)
{
    if (quality != -1)
        image.quality(unsigned(quality));
    // The "format:" file name names the encoder and nothing else; the bytes go to
    // the stream, never to a path the library would parse.
    const std::string encoderName = magick.toUpper().toStdString() + ':';
    {
        const StreamBinding binding(image, stream);
        try {
            image.write(encoderName);
        } catch (const Magick::Warning &) {
            // Encoders remark only once they are done: libpng, for one, warns about
            // every camera picture whose sRGB profile it keeps as it is. The file is
            // complete; refusing it would fail photographs for no loss at all.
        }
    }
    checkWritten(stream, magick);
}

void writeDocument(QList<Magick::Image> &pages, const QString &magick, FILE *stream)
{
    if (pages.isEmpty())
        return;
    // The first page carries the encoder and the stream for the whole document.
    {
        const StreamBinding binding(pages.first(), stream);
        try {
            Magick::writeImages(pages.begin(), pages.end(), magick.toUpper().toStdString() + ':', true);
        } catch (const Magick::Warning &) {
            // As for single pictures: an encoder's remark comes after a complete write.
        }
    }
    checkWritten(stream, magick);
}

} // namespace PictureCodec
