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

signals:
    // On the GUI thread; an empty pixmap for a picture that cannot be decoded.
    void loaded(const QPixmap &pixmap, ImageView *view);

private:
    QString m_requestPath;
    Worker m_worker;
};

#endif
