#ifndef PICTURELOADER_H
#define PICTURELOADER_H

// Decodes pictures for the views on a worker. The last request wins: a new
// request cancels the older ones, which drop their result (checked before and
// after the slow steps), so scrolling through a list of large photographs never
// shows an older picture after a newer one.
//
// Threads: GUI thread only; the tasks read only their own copy of the path.

#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QStringList>

#include <functional>

#include "engine/batch/worker.h"
#include "engine/result.h"

struct ImageView;

class PictureLoader : public QObject
{
    Q_OBJECT

public:
    explicit PictureLoader(QObject *parent = nullptr);
    ~PictureLoader() override;  // waits for running decodings

    // Starts decoding `path` for `view`; makes it the current request. Documents
    // are shown only when `allowDocuments` (Step 3's choice) says so.
    void request(const QString &path, ImageView *view, bool allowDocuments = false);
    QString requestPath() const;

    // What the toolkit decodes itself (lower case suffixes), captured once; those
    // files skip the image library. Safe from any thread.
    static const QStringList &qtReadableSuffixes();

    // The decoding a worker does, on the calling thread: the toolkit for its own
    // formats, the image library for the rest. `current` says whether the result
    // is still wanted; a null image means unreadable (or no longer wanted).
    static QImage decode(const QString &path, const std::function<bool()> &current, bool allowDocuments = false);
    // The same, with the reason when the picture cannot be shown (empty when it
    // is no longer wanted). `fitInto`, when valid, asks for a picture no larger
    // than needed to fill that box: JPEGs are then decoded at a reduced size.
    static Result<QImage> decodePicture(const QString &path, const std::function<bool()> &current,
                                        bool allowDocuments = false, const QSize &fitInto = QSize());

    // A JPEG whose end is missing: the toolkit's reader fills the rest with grey
    // and says nothing, so such a file goes to the image library, which tells.
    static bool looksCutShort(const QString &path);

signals:
    // On the GUI thread; an empty pixmap for a picture that cannot be decoded.
    void loaded(const QPixmap &pixmap, ImageView *view);
    // After loaded() with an empty pixmap: why the picture at `path` cannot be shown.
    void unreadable(const QString &path, const QString &reason);

private:
    QString m_requestPath;
    Worker m_worker;
};

#endif
