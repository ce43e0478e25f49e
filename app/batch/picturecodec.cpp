#include "picturecodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <magick/api.h>

#include <cstdlib>

#include "filterinterface.h"
#include "filterregistry.h"

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

} // namespace

namespace PictureCodec {

Magick::Image decode(const QString &path)
{
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

Magick::Blob encode(Magick::Image &image, const QString &magick, int quality)
{
    image.magick(magick.toStdString());
    if (quality != -1)
        image.quality(unsigned(quality));
    Magick::Blob blob;
    image.write(&blob);
    // Some listed formats have a writer that puts out nothing ("NULL"); an empty
    // file in place of a picture, and its source removed, would be a loss.
    if (blob.length() == 0)
        throw PictureError(QCoreApplication::translate("PictureCodec", "The %1 encoder wrote nothing").arg(magick));
    return blob;
}

Magick::Blob encodeDocument(QList<Magick::Image> &pages, const QString &magick)
{
    Magick::Blob blob;
    if (pages.isEmpty())
        return blob;
    // The first page carries the encoder for the whole document.
    pages.first().magick(magick.toStdString());
    Magick::writeImages(pages.begin(), pages.end(), &blob, true);
    if (blob.length() == 0)
        throw PictureError(QCoreApplication::translate("PictureCodec", "The %1 encoder wrote nothing").arg(magick));
    return blob;
}

} // namespace PictureCodec
