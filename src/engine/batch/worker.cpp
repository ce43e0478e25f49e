#include "engine/batch/worker.h"

#include <QCoreApplication>
#include <QMutex>

#include <vector>

namespace {

// Pools whose owners went away while a task still ran; waited for on the way out.
QMutex detachedMutex;
std::vector<std::unique_ptr<QThreadPool>> detachedPools;  // guarded by detachedMutex

void waitForDetached()
{
    QMutexLocker lock(&detachedMutex);
    for (const std::unique_ptr<QThreadPool> &pool : detachedPools)
        pool->waitForDone();
    detachedPools.clear();
}

} // namespace

Worker::Worker(int threads)
    : m_pool(std::make_unique<QThreadPool>())
    , m_token(std::make_shared<CancelToken>())
{
    if (threads > 0)
        m_pool->setMaxThreadCount(threads);
}

Worker::~Worker()
{
    if (!m_pool)
        return;
    m_token->cancel();
    m_pool->waitForDone();
}

void Worker::cancel()
{
    m_token->cancel();
    m_token = std::make_shared<CancelToken>();
}

bool Worker::isBusy() const
{
    return m_pool->activeThreadCount() > 0;
}

void Worker::waitForDone()
{
    m_pool->waitForDone();
}

void Worker::detach()
{
    cancel();
    if (!isBusy())
        return;
    static const bool registered = [] {
        qAddPostRoutine(waitForDetached);
        return true;
    }();
    Q_UNUSED(registered);
    const int threads = m_pool->maxThreadCount();
    QMutexLocker lock(&detachedMutex);
    detachedPools.push_back(std::move(m_pool));
    m_pool = std::make_unique<QThreadPool>();
    m_pool->setMaxThreadCount(threads);
}
