#include "engine/picture/picturecodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <magick/api.h>

#include <cstdlib>

#include "filterinterface.h"
#include "engine/filters/filterregistry.h"
#include "engine/picture/formatcatalog.h"
#include "engine/runtime/imagelibrary.h"
#include "engine/picture/picturekind.h"
#include "engine/picture/rawdeveloper.h"
#include "engine/picture/sandboxdecoder.h"

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PictureCodec", text);
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
Status checkWritten(FILE *stream, const QString &magick)
{
    std::fflush(stream);
    if (std::ftell(stream) <= 0)
        return Failure{tr("The %1 encoder wrote nothing").arg(magick)};
    return {};
}

// The bytes of the file, read straight into memory the blob then owns: a
// photograph is not copied twice.
Result<Magick::Blob> readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString())};
    const qint64 size = file.size();
    char *data = static_cast<char *>(std::malloc(size_t(std::max<qint64>(size, 1))));
    if (!data)
        return Failure{tr("Not enough memory to read %1").arg(QDir::toNativeSeparators(path))};
    Magick::Blob blob;
    blob.updateNoCopy(data, size_t(size), Magick::Blob::MallocAllocator);
    if (file.read(data, size) != size)
        return Failure{tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString())};
    return blob;
}

} // namespace

namespace PictureCodec {

// Formats decoded in this process, when their content shows them (a raw file is
// TIFF inside, and is developed apart). Their decoders read pixels and nothing
// else: no program is run, no other file or URL is followed (and the confirm-
// access handler refuses every file while decoding), their sizes are told by
// the header and checked against the budget before any pixel is decoded, and
// the libraries behind them (libjpeg, libpng, libtiff) are the most exercised on
// hostile input there are. A damaged file fails as that one picture's library
// error. Everything else, with decoders far less tried (HEIF, JPEG XL, raw),
// programs run on the content (Ghostscript, dcraw) or references to follow
// (SVG), goes through the decoding helper. Keeping these three here spares the
// common photograph the helper's start and the hand-over of its pixels.
bool decodesInProcess(const QString &path, const QString &format)
{
    return !SandboxDecoder::decodesEverythingApart() && !FormatCatalog::isCameraRaw(QFileInfo(path).suffix())
           && (format == QLatin1String("JPEG") || format == QLatin1String("PNG") || format == QLatin1String("TIFF"));
}

Result<Magick::Image> decode(const QString &path, bool allowDocuments, const DecodeSize &size)
{
    // Told before anything is started for it: a special file is not opened at all,
    // a document not read unless allowed.
    const Result<QString> format = PictureKind::admitFile(path, allowDocuments);
    if (!format)
        return Failure{format.error()};
    if (decodesInProcess(path, format.value()))
        return decodeInProcess(path, allowDocuments, size);
    return SandboxDecoder::decode(path, allowDocuments, size);
}

QString overBudget(const QString &path, long long columns, long long rows, long long budget)
{
    return tr("%1 is %2 x %3 pixels (%4 megapixels), more than the budget of %5 megapixels for one picture")
        .arg(QDir::toNativeSeparators(path))
        .arg(columns)
        .arg(rows)
        .arg(double(columns * rows) / 1e6, 0, 'f', 1)
        .arg(double(budget) / 1e6, 0, 'f', 1);
}

// The size the header declares, checked against the budget of one picture.
static Status pingWithinBudget(const Magick::Blob &blob, const QString &format, const QString &path, QSize *declared)
{
    const long long budget = ImageLibrary::pixelBudget();
    Magick::Image header;
    const Status pinged = ImageLibrary::call([&]() -> Status {
        if (!format.isEmpty())
            header.magick(format.toStdString());
        header.subImage(0);  // the first page, see decode()
        header.subRange(1);
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
            return Failure{tr("%1 is larger than the library reads, more than %2 times the budget of %3 megapixels for one picture")
                               .arg(QDir::toNativeSeparators(path))
                               .arg(ImageLibrary::pixelLimit() / std::max(1LL, budget))
                               .arg(double(budget) / 1e6, 0, 'f', 1)};
        }
        return {};
    });
    if (!pinged)
        return pinged;
    if (static_cast<long long>(header.columns()) * header.rows() > budget)
        return Failure{overBudget(path, header.columns(), header.rows(), budget)};
    if (declared)
        *declared = QSize(int(header.columns()), int(header.rows()));
    return {};
}

Status checkBudget(const Magick::Blob &blob, const QString &format, const QString &path)
{
    return pingWithinBudget(blob, format, path, nullptr);
}

Result<Magick::Image> decodeInProcess(const QString &path, bool allowDocuments, const DecodeSize &size)
{
    if (PictureKind::isSpecialFile(path))
        return Failure{PictureKind::notAPicture(path)};
    if (FormatCatalog::isCameraRaw(QFileInfo(path).suffix())) {
        Magick::Image developed;
        const Result<bool> raw = RawDeveloper::develop(path, developed);
        if (!raw)
            return Failure{raw.error()};
        if (raw.value())
            return developed;
    }
    const Result<Magick::Blob> blob = readFile(path);
    if (!blob)
        return Failure{blob.error()};
    const Result<QString> format = PictureKind::admit(path, static_cast<const char *>(blob.value().data()),
                                                      qint64(blob.value().length()), allowDocuments);
    if (!format)
        return Failure{format.error()};
    const ImageLibrary::DecodingScope confined;
    QSize declared;
    const Status within = pingWithinBudget(blob.value(), format.value(), path, &declared);
    if (!within)
        return Failure{within.error()};
    // libjpeg decodes at 1/2, 1/4 or 1/8 of the size when the library is told the
    // least size wanted; other decoders read the hint as the picture's own size.
    const QSize reduced = format.value() == QLatin1String("JPEG") ? size.request(declared.width(), declared.height())
                                                                   : QSize();
    return ImageLibrary::call([&] {
        Magick::Image image;
        image.magick(format.value().toStdString());
        if (!reduced.isEmpty())
            image.size(Magick::Geometry(unsigned(reduced.width()), unsigned(reduced.height())));
        // The picture is the first page: the pages after it, however many, are not decoded.
        image.subImage(0);
        image.subRange(1);
        try {
            image.read(blob.value());
        } catch (const Magick::WarningCoder &) {
            // The decoder remarks on a detail it leaves out and reads the whole picture:
            // libpng on the outdated sRGB profile of many photographs, or a gamma of 0.
            // A picture cut short or damaged warns otherwise, and fails.
        }
        // The hint was for the decoder; no encoder may take it for a size. (Image::size
        // with no geometry would empty the picture's own size as well.)
        if (!reduced.isEmpty()) {
            MagickLib::MagickFree(image.imageInfo()->size);
            image.imageInfo()->size = nullptr;
        }
        return image;
    });
}

Status applyChain(const QList<ChainEntry> &chain, Magick::Image &image)
{
    for (const ChainEntry &entry : chain) {
        // A project may name a filter that is not installed; going on without it
        // would report a picture as converted that is not what was asked for.
        if (!entry.filter)
            return Failure{tr("A filter of the chain is not installed")};
        const Status applied = ImageLibrary::call([&] { entry.filter->apply(entry.params, image); });
        if (!applied)
            return applied;
    }
    return {};
}

Status write(Magick::Image &image, const QString &magick, int quality, FILE *stream)
{
    const Status written = ImageLibrary::call([&] {
        if (quality != -1)
            image.quality(unsigned(quality));
        // The "format:" file name names the encoder and nothing else; the bytes go to
        // the stream, never to a path the library would parse.
        const std::string encoderName = magick.toUpper().toStdString() + ':';
        const StreamBinding binding(image, stream);
        try {
            image.write(encoderName);
        } catch (const Magick::Warning &) {
            // Encoders remark only once they are done: libpng, for one, warns about
            // every camera picture whose sRGB profile it keeps as it is. The file is
            // complete; refusing it would fail photographs for no loss at all.
        }
    });
    return written ? checkWritten(stream, magick) : written;
}

Status writeDocument(QList<Magick::Image> &pages, const QString &magick, FILE *stream)
{
    if (pages.isEmpty())
        return {};
    // The first page carries the encoder and the stream for the whole document.
    const Status written = ImageLibrary::call([&] {
        const StreamBinding binding(pages.first(), stream);
        try {
            Magick::writeImages(pages.begin(), pages.end(), magick.toUpper().toStdString() + ':', true);
        } catch (const Magick::Warning &) {
            // As for single pictures: an encoder's remark comes after a complete write.
        }
    });
    return written ? checkWritten(stream, magick) : written;
}

} // namespace PictureCodec
