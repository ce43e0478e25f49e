#include "gui/filters/previewthread.h"

#include "filterinterface.h"
#include "gui/views/imagepixmap.h"

#include <QCoreApplication>
#include <QList>
#include <QMutex>
#include <QPointer>

namespace {

QMutex abandonedMutex;
QList<QPointer<PreviewThread>> abandoned;  // guarded by abandonedMutex

void waitForAbandoned()
{
    QMutexLocker lock(&abandonedMutex);
    for (const QPointer<PreviewThread> &thread : std::as_const(abandoned)) {
        if (thread)
            thread->wait();
    }
    abandoned.clear();
}

} // namespace

PreviewThread::PreviewThread(QObject *parent)
    : QThread(parent)
{
}

PreviewThread::~PreviewThread()
{
    stop();
    wait();
}

void PreviewThread::setup(FilterInterface *filter, const QString &params, const Magick::Image &image, void *view,
                          bool fitFlag)
{
    m_filter = filter;
    m_params = params;
    // A copy of a picture shares its pixels, and the library reads a shared
    // picture's pixels through one cache view for every thread: the caller
    // showing its picture while the worker filters would race on it. The run
    // gets pixels of its own before it starts.
    m_image = image;
    m_image.modifyImage();
    m_view = view;
    m_fitFlag = fitFlag;
    m_stopped = false;
    m_cancel.reset();
}

void PreviewThread::stop()
{
    m_stopped = true;
    m_cancel.cancel();
}

void PreviewThread::abandon()
{
    stop();
    disconnect();
    setParent(nullptr);
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    if (isFinished() || !isRunning()) {
        deleteLater();
        return;
    }
    static const bool registered = [] {
        qAddPostRoutine(waitForAbandoned);
        return true;
    }();
    Q_UNUSED(registered);
    QMutexLocker lock(&abandonedMutex);
    abandoned.removeIf([](const QPointer<PreviewThread> &thread) { return thread.isNull(); });
    abandoned.append(this);
}

void PreviewThread::run()
{
    QImage result;
    try {
        if (!m_stopped && m_filter) {
            m_cancel.attach(m_image);
            m_filter->apply(m_params, m_image);
            if (!m_stopped && m_image.isValid())
                result = imageToImage(m_image);
        }
    } catch (const std::exception &) {
        // An exception the plug-in let through: the preview stays empty.
        result = QImage();
    }
    m_image = Magick::Image();  // a photograph's samples are large; free them now
    if (!m_stopped)
        emit completeProcess(result, m_view, m_fitFlag);
    emit closeProcessDlgSignal();
}
