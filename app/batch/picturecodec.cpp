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
    image.magick("TIFF");
    image.read(Magick::Blob(tiff.constData(), size_t(tiff.size())));
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

    QString format = formatFromContent(data, size);
    if (format.isEmpty())
        format = QFileInfo(path).suffix().toUpper();
    Magick::Image image;
    if (!format.isEmpty())
        image.magick(format.toStdString());
    image.read(blob);
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
    image.imageInfo()->file = stream;
    try {
        image.write(encoderName);
    } catch (const Magick::Warning &) {
        // Encoders remark only once they are done: libpng, for one, warns about
        // every camera picture whose sRGB profile it keeps as it is. The file is
        // complete; refusing it would fail photographs for no loss at all.
    } catch (...) {
        image.imageInfo()->file = nullptr;
        throw;
    }
    image.imageInfo()->file = nullptr;
    checkWritten(stream, magick);
}

void writeDocument(QList<Magick::Image> &pages, const QString &magick, FILE *stream)
{
    if (pages.isEmpty())
        return;
    // The first page carries the encoder and the stream for the whole document.
    Magick::Image &first = pages.first();
    first.imageInfo()->file = stream;
    try {
        Magick::writeImages(pages.begin(), pages.end(), magick.toUpper().toStdString() + ':', true);
    } catch (const Magick::Warning &) {
        // As for single pictures: an encoder's remark comes after a complete write.
    } catch (...) {
        first.imageInfo()->file = nullptr;
        throw;
    }
    first.imageInfo()->file = nullptr;
    checkWritten(stream, magick);
}

} // namespace PictureCodec
