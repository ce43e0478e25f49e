#include "gui/views/picturefeed.h"

#include <QFileInfo>
#include <QSet>
#include <QThread>

#include <algorithm>

#include "gui/views/thumbnails.h"

namespace {

// Facts are read a batch at a time: each is quick, and one result per picture
// would cost the list more than the reading.
constexpr int factsBatch = 64;
constexpr int cachedPerTurn = 200;

} // namespace

PictureFeed::PictureFeed(std::function<bool(const QString &)> wanted, QObject *parent)
    : QObject(parent)
    , m_wanted(std::move(wanted))
    , m_thumbnailSlots(qMax(1, QThread::idealThreadCount()))
    , m_thumbnailWorker(m_thumbnailSlots)
{
}

PictureFeed::~PictureFeed()
{
    m_factsWorker.cancel();
    m_thumbnailWorker.cancel();
}

void PictureFeed::add(const QStringList &paths)
{
    m_factsQueue.insert(m_factsQueue.end(), paths.cbegin(), paths.cend());
    m_thumbnailQueue.insert(m_thumbnailQueue.end(), paths.cbegin(), paths.cend());
    startFacts();
    startThumbnails();
}

void PictureFeed::prefer(const QStringList &paths)
{
    if (paths.isEmpty() || m_thumbnailQueue.empty())
        return;
    const QSet<QString> preferred(paths.cbegin(), paths.cend());
    std::stable_partition(m_thumbnailQueue.begin(), m_thumbnailQueue.end(),
                          [&preferred](const QString &path) { return preferred.contains(path); });
}

bool PictureFeed::isBusy() const
{
    return m_factsRunning > 0 || m_thumbnailsRunning > 0 || !m_factsQueue.empty() || !m_thumbnailQueue.empty();
}

void PictureFeed::startFacts()
{
    if (m_factsRunning > 0)
        return;
    QStringList batch;
    while (!m_factsQueue.empty() && batch.size() < factsBatch) {
        QString path = std::move(m_factsQueue.front());
        m_factsQueue.pop_front();
        if (m_wanted(path))
            batch.append(path);
    }
    if (batch.isEmpty()) {
        checkIdle();
        return;
    }
    ++m_factsRunning;
    m_factsWorker.start(
        this,
        [batch](const CancelToken &token) {
            QList<Facts> read;
            for (const QString &path : batch) {
                if (token.isCancelled())
                    break;
                read.append(Facts{path, PictureFacts::read(path)});
            }
            return read;
        },
        [this](const QList<Facts> &read) {
            --m_factsRunning;
            m_factsRead += int(read.size());
            for (const Facts &entry : read) {
                if (m_wanted(entry.path))
                    emit factsReady(entry.path, entry.facts);
            }
            startFacts();
        });
}

void PictureFeed::startThumbnails()
{
    // Thumbnails from the cache come a portion per turn of the event loop, so
    // adding thousands of known pictures again never holds up the list.
    int fromCache = 0;
    while (m_thumbnailsRunning < m_thumbnailSlots && !m_thumbnailQueue.empty()) {
        if (fromCache == cachedPerTurn) {
            QMetaObject::invokeMethod(this, &PictureFeed::startThumbnails, Qt::QueuedConnection);
            return;
        }
        QString path = std::move(m_thumbnailQueue.front());
        m_thumbnailQueue.pop_front();
        if (!m_wanted(path))
            continue;
        const QFileInfo info(path);
        const qint64 size = info.size();
        const QDateTime modified = info.lastModified();
        const QImage cached = ThumbnailCache::instance().find(path, size, modified);
        if (!cached.isNull()) {
            ++fromCache;
            emit thumbnailReady(path, cached);
            continue;
        }
        ++m_thumbnailsRunning;
        m_thumbnailWorker.start(
            this,
            [path](const CancelToken &token) {
                return Thumbnails::make(path, [&token] { return !token.isCancelled(); });
            },
            [this, path, size, modified](const Result<QImage> &thumbnail) {
                --m_thumbnailsRunning;
                ++m_thumbnailsMade;
                if (!thumbnail) {
                    if (m_wanted(path))
                        emit unreadable(path, thumbnail.error());
                } else if (!thumbnail.value().isNull()) {
                    ThumbnailCache::instance().insert(path, size, modified, thumbnail.value());
                    if (m_wanted(path))
                        emit thumbnailReady(path, thumbnail.value());
                }
                startThumbnails();
            });
    }
    checkIdle();
}

void PictureFeed::checkIdle()
{
    if (!isBusy())
        emit idle();
}
