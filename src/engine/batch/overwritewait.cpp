#include "engine/batch/overwritewait.h"

OverwriteAnswer OverwriteWait::ask(const QString &target, QString &name)
{
    // The lock is held from before the question goes out until the wait releases
    // it, so neither an answer nor a stop can slip in before the worker listens.
    QMutexLocker lock(&m_lock);
    if (m_closing || m_stopped)
        return OverwriteAbort;
    m_name = name;
    m_answered = false;
    m_asking = target;
    emit asked(target);
    while (!m_answered && !m_closing && !m_stopped)
        m_ready.wait(&m_lock);
    m_asking.clear();
    if (!m_answered)
        return OverwriteAbort;
    name = m_name;
    return m_code;
}

void OverwriteWait::answer(const QString &name, int code)
{
    QMutexLocker lock(&m_lock);
    m_name = name;
    m_code = overwriteAnswer(code);
    m_answered = true;
    m_ready.wakeAll();
}

void OverwriteWait::stop()
{
    m_stopped = true;
    // Under the lock, so that a run between its check and its wait still hears it.
    QMutexLocker lock(&m_lock);
    m_ready.wakeAll();
}

void OverwriteWait::clearStop()
{
    m_stopped = false;
}

void OverwriteWait::close()
{
    QMutexLocker lock(&m_lock);
    m_closing = true;
    m_ready.wakeAll();
}

QString OverwriteWait::pending() const
{
    QMutexLocker lock(&m_lock);
    return m_asking;
}
