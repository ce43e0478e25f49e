#ifndef PICTUREFEED_H
#define PICTUREFEED_H

// Reads, in the background, what a picture list shows beside the names: the
// facts of each picture (see PictureFacts) and its thumbnail. Results arrive
// one by one as they are made, so a list of thousands of photographs fills
// while the user goes on working; a few pictures are worked on at a time, and
// rows the user scrolls to go first. A path the list no longer holds (as
// `wanted` tells) is skipped when its turn comes.
//
// Threads: GUI thread only; the tasks read only their own copy of the path.

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QStringList>

#include <deque>
#include <functional>

#include "engine/batch/worker.h"
#include "engine/metadata/picturefacts.h"

class PictureFeed : public QObject
{
    Q_OBJECT

public:
    explicit PictureFeed(std::function<bool(const QString &)> wanted, QObject *parent = nullptr);
    ~PictureFeed() override;  // cancels, and waits for the pictures in work

    void add(const QStringList &paths);
    // These paths' thumbnails before the others' (the rows on screen).
    void prefer(const QStringList &paths);
    bool isBusy() const;

    // How many pictures' facts and thumbnails were read so far (not from the cache).
    int factsRead() const { return m_factsRead; }
    int thumbnailsMade() const { return m_thumbnailsMade; }

signals:
    void factsReady(const QString &path, const PictureFacts &facts);
    void thumbnailReady(const QString &path, const QImage &thumbnail);
    void unreadable(const QString &path, const QString &reason);
    void idle();

private:
    struct Facts
    {
        QString path;
        PictureFacts facts;
    };
    void startFacts();
    void startThumbnails();
    void checkIdle();

    std::function<bool(const QString &)> m_wanted;
    std::deque<QString> m_factsQueue;
    std::deque<QString> m_thumbnailQueue;
    int m_factsRunning = 0;
    int m_thumbnailsRunning = 0;
    int m_thumbnailSlots;
    int m_factsRead = 0;
    int m_thumbnailsMade = 0;
    Worker m_factsWorker{1};
    Worker m_thumbnailWorker;
};

#endif
