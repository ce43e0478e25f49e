#include "gui/views/pictureloader.h"

#include <QFileInfo>
#include <QImageReader>

#include <Magick++.h>

#include <optional>

#include "gui/views/imagepixmap.h"
#include "engine/picture/picturecodec.h"
#include "engine/picture/picturekind.h"

PictureLoader::PictureLoader(QObject *parent)
    : QObject(parent)
{
}

PictureLoader::~PictureLoader() = default;

const QStringList &PictureLoader::qtReadableSuffixes()
{
    static const QStringList suffixes = [] {
        QStringList list;
        for (const QByteArray &format : QImageReader::supportedImageFormats())
            list.append(QString::fromLatin1(format).toLower());
        return list;
    }();
    return suffixes;
}

QString PictureLoader::requestPath() const
{
    return m_requestPath;
}

QImage PictureLoader::decode(const QString &path, const std::function<bool()> &current, bool allowDocuments)
{
    const QFileInfo info(path);
    // The toolkit's readers are quicker for a preview, and taken only for what the
    // program decodes in process anyway (JPEG, PNG, TIFF by their content); every
    // other picture goes to the decoding helper.
    const Result<QString> format = PictureKind::admitFile(path, false);
    if (qtReadableSuffixes().contains(info.suffix().toLower()) && format
        && PictureCodec::decodesInProcess(path, format.value())) {
        QImageReader reader(path, format.value().toLower().toLatin1());
        reader.setAutoDetectImageFormat(false);
        QImage image = reader.read();
        if (!image.isNull())
            return image;
        // A file whose suffix promises more than its content: let the library try.
    }
    try {
        if (!current())
            return {};
        // The same decoding as a batch: only the picture is read, never a file it names.
        const Result<Magick::Image> image = PictureCodec::decode(path, allowDocuments);
        if (!current() || !image || !image.value().isValid())
            return {};
        return imageToImage(image.value());
    } catch (const Magick::Exception &) {
        return {};
    } catch (const std::exception &) {
        return {};
    }
}

void PictureLoader::request(const QString &path, ImageView *view, bool allowDocuments)
{
    m_requestPath = path;
    m_worker.cancel();
    m_worker.start(
        this,
        [path, allowDocuments](const CancelToken &token) -> std::optional<QImage> {
            const QFileInfo info(path);
            if (!info.exists() || info.size() == 0)
                return std::nullopt;
            QImage image = decode(path, [&token] { return !token.isCancelled(); }, allowDocuments);
            if (token.isCancelled())
                return std::nullopt;
            return image;
        },
        [this, view](const std::optional<QImage> &image) {
            if (image)
                emit loaded(QPixmap::fromImage(*image), view);
        });
}
