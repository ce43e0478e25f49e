#ifndef THUMBNAILS_H
#define THUMBNAILS_H

// Small pictures for the rows of a picture list. A JPEG's own EXIF thumbnail
// when the camera put one in, otherwise the picture decoded as the preview
// decodes it (the toolkit at a reduced size for JPEG, PNG and TIFF, the
// confined decoding helper for everything else), so a hostile file is no more
// dangerous here than in the preview. Made thumbnails are kept while the
// program runs, for as long as the file does not change.
//
// Threads: make() is safe from any worker; ThumbnailCache on the GUI thread only.

#include <QCache>
#include <QDateTime>
#include <QImage>
#include <QString>

#include <functional>

#include "engine/result.h"

namespace Thumbnails {

// The edge of the square a thumbnail fits into, in pixels.
constexpr int edge = 48;

// The thumbnail of the picture at `path`, or why the picture cannot be shown.
// `current` says whether it is still wanted; a null image when it is not.
Result<QImage> make(const QString &path, const std::function<bool()> &current);

} // namespace Thumbnails

class ThumbnailCache
{
public:
    static ThumbnailCache &instance();

    // The thumbnail made for this file as it is now (same size and time), or a null image.
    QImage find(const QString &path, qint64 size, const QDateTime &modified) const;
    void insert(const QString &path, qint64 size, const QDateTime &modified, const QImage &thumbnail);

private:
    struct Entry
    {
        qint64 size;
        QDateTime modified;
        QImage thumbnail;
    };
    // Counted in bytes: some hundred megabytes hold the thumbnails of tens of thousands of pictures.
    QCache<QString, Entry> m_entries{256 * 1024 * 1024};
};

#endif
