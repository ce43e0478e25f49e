#include "engine/batch/canceltoken.h"

#include <QList>
#include <QMutex>
#include <QMutexLocker>

#include <cstring>
#include <mutex>

namespace {

QMutex cancelledMutex;
QList<QByteArray> cancelledTags;        // guarded by cancelledMutex
std::atomic<int> cancelledCount{0};     // spares the lock while nothing is cancelled
MagickLib::MonitorHandler previousHandler = nullptr;

// Called by the library, often from its own worker threads, inside the operation.
MagickPassFail monitor(const char *text, const MagickLib::magick_int64_t quantum,
                       const MagickLib::magick_uint64_t span, MagickLib::ExceptionInfo *exception)
{
    if (cancelledCount.load() > 0 && text) {
        QMutexLocker lock(&cancelledMutex);
        for (const QByteArray &tag : std::as_const(cancelledTags)) {
            if (std::strstr(text, tag.constData()))
                return MagickFail;
        }
    }
    return previousHandler ? previousHandler(text, quantum, span, exception) : MagickPass;
}

QByteArray newTag()
{
    static std::atomic<quint64> next{0};
    return "kelvarine-cancellable-" + QByteArray::number(++next) + '#';
}

} // namespace

CancelToken::CancelToken()
    : m_tag(newTag())
{
    static std::once_flag installed;
    std::call_once(installed, [] { previousHandler = MagickLib::SetMonitorHandler(monitor); });
}

CancelToken::~CancelToken()
{
    reset();
}

void CancelToken::attach(Magick::Image &image) const
{
    image.fileName(m_tag.toStdString());
}

void CancelToken::cancel()
{
    QMutexLocker lock(&cancelledMutex);
    if (m_cancelled.exchange(true))
        return;
    cancelledTags.append(m_tag);
    ++cancelledCount;
}

void CancelToken::reset()
{
    QMutexLocker lock(&cancelledMutex);
    if (!m_cancelled.exchange(false))
        return;
    cancelledTags.removeOne(m_tag);
    --cancelledCount;
}
