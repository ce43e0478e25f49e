#include "previewthread.h"

#include "filterinterface.h"
#include "imagepixmap.h"

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
    m_image = image;
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

void PreviewThread::run()
{
    QImage result;
    try {
        if (!m_stopped && m_filter) {
            // Naming the picture copies its pixels here, not on the GUI thread.
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
