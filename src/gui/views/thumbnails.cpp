#include "gui/views/thumbnails.h"

#include <QBuffer>
#include <QImageReader>

#include "engine/metadata/picturefacts.h"
#include "gui/views/pictureloader.h"

namespace Thumbnails {

Result<QImage> make(const QString &path, const std::function<bool()> &current)
{
    const QSize box(edge, edge);
    // A camera's thumbnail is read from the file's first kilobytes; a JPEG cut
    // short is decoded instead, so that the list says it is unreadable.
    if (!PictureLoader::looksCutShort(path)) {
        QByteArray embedded = PictureFacts::read(path, true).thumbnail;
        if (!embedded.isEmpty()) {
            QBuffer buffer(&embedded);
            QImageReader reader(&buffer, "jpeg");
            reader.setAutoDetectImageFormat(false);
            const QImage image = reader.read();
            if (!image.isNull())
                return image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
    }
    if (!current())
        return QImage();
    // Twice the size, then smoothly down: a reduced decoding alone looks coarse.
    const Result<QImage> image = PictureLoader::decodePicture(path, current, false, box * 2);
    if (!image || image.value().isNull())
        return image;
    return image.value().scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace Thumbnails

ThumbnailCache &ThumbnailCache::instance()
{
    static ThumbnailCache cache;
    return cache;
}

QImage ThumbnailCache::find(const QString &path, qint64 size, const QDateTime &modified) const
{
    const Entry *entry = m_entries.object(path);
    if (!entry || entry->size != size || entry->modified != modified)
        return QImage();
    return entry->thumbnail;
}

void ThumbnailCache::insert(const QString &path, qint64 size, const QDateTime &modified, const QImage &thumbnail)
{
    m_entries.insert(path, new Entry{size, modified, thumbnail}, qMax<qsizetype>(1, thumbnail.sizeInBytes()));
}
