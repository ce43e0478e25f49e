#ifndef PICTURELOADER_H
#define PICTURELOADER_H

// Decodes pictures for the views on the global thread pool. The last request
// wins: a worker whose path is no longer the requested one drops its result
// (checked before and after the slow steps), so scrolling through a list of
// large photographs never shows an older picture after a newer one.
//
// Threads: request() and the signal are on the GUI thread. The workers read
// only their own copy of the path and the request path under the lock.

#include <QFuture>
#include <QImage>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QPixmap>
#include <QStringList>

#include <functional>

struct ImageView;

class PictureLoader : public QObject
{
    Q_OBJECT

public:
    explicit PictureLoader(QObject *parent = nullptr);
    ~PictureLoader() override;  // waits for running workers

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
    bool isCurrent(const QString &path) const;

    mutable QMutex m_lock;
    QString m_requestPath;
    QList<QFuture<void>> m_workers;
};

#endif
