#include "engine/picture/picturecodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <magick/api.h>

#include <cstdlib>

#include "filterinterface.h"
#include "engine/filters/filterregistry.h"
#include "engine/picture/formatcatalog.h"
#include "engine/runtime/imagelibrary.h"
#include "engine/picture/picturekind.h"
#include "engine/picture/sandboxdecoder.h"

namespace {

// How long dcraw may take to tell a size or to develop; the decoding helper it
// runs in has a time limit of its own.
constexpr int rawTimeLimitMs = 600'000;

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
    if (static_cast<long long>(header.columns()) * header.rows() > budget)
        throw PictureError(PictureCodec::overBudget(path, header.columns(), header.rows(), budget));
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

// The size dcraw tells of a raw picture without developing it ("Output size:
// 4000 x 3000"); false when it finds no raw picture in the file.
bool rawSize(const QString &dcraw, const QString &path, long long *columns, long long *rows)
{
    QProcess process;
    process.start(dcraw, {"-i", "-v", QFileInfo(path).absoluteFilePath()});
    process.closeWriteChannel();
    if (!process.waitForFinished(rawTimeLimitMs) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return false;
    *columns = *rows = 0;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (!line.startsWith("Output size:") && !line.startsWith("Image size:"))
            continue;
        const QList<QByteArray> size = line.mid(line.indexOf(':') + 1).simplified().split(' ');
        if (size.size() == 3 && size.at(1) == "x") {
            *columns = std::max(*columns, size.at(0).toLongLong());
            *rows = std::max(*rows, size.at(2).toLongLong());
        }
    }
    return *columns > 0 && *rows > 0;
}

// Camera raw files are TIFF inside, and read as TIFF give a preview at best. The
// raw helper develops them, with the settings the image library's own delegate
// uses, but given the path as an argument rather than as a name to parse, and
// only once the size it tells is within the budget: developing is what takes
// the memory and the time. False when the helper is not installed or finds no
// raw picture in the file, which is then read for what its content is.
bool developRaw(const QString &path, Magick::Image &image)
{
    const QString dcraw = QStandardPaths::findExecutable(QStringLiteral("dcraw"));
    long long columns = 0;
    long long rows = 0;
    if (dcraw.isEmpty() || !rawSize(dcraw, path, &columns, &rows))
        return false;
    const long long budget = ImageLibrary::pixelBudget();
    if (columns * rows > budget)
        throw PictureError(PictureCodec::overBudget(path, columns, rows, budget));
    QProcess process;
    process.start(dcraw, {"-c", "-w", "-6", "-T", QFileInfo(path).absoluteFilePath()});
    process.closeWriteChannel();
    if (!process.waitForFinished(rawTimeLimitMs)) {
        process.kill();
        process.waitForFinished(-1);
        return false;
    }
    const bool developed = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
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

Magick::Image decode(const QString &path, bool allowDocuments)
{
    // Told before anything is started for it: a special file is not opened at all,
    // a document not read unless allowed.
    QString error;
    const QString format = PictureKind::admitFile(path, allowDocuments, &error);
    if (format.isEmpty())
        throw PictureError(error);
    if (decodesInProcess(path, format))
        return decodeInProcess(path, allowDocuments);
    return SandboxDecoder::decode(path, allowDocuments);
}

QString overBudget(const QString &path, long long columns, long long rows, long long budget)
{
    return QCoreApplication::translate("PictureCodec", "%1 is %2 x %3 pixels (%4 megapixels), more than the budget of %5 megapixels for one picture")
        .arg(QDir::toNativeSeparators(path))
        .arg(columns)
        .arg(rows)
        .arg(double(columns * rows) / 1e6, 0, 'f', 1)
        .arg(double(budget) / 1e6, 0, 'f', 1);
}

Magick::Image decodeInProcess(const QString &path, bool allowDocuments)
{
    if (PictureKind::isSpecialFile(path))
        throw PictureError(PictureKind::notAPicture(path));
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

    QString error;
    const QString format = PictureKind::admit(path, data, size, allowDocuments, &error);
    if (format.isEmpty())
        throw PictureError(error);
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
