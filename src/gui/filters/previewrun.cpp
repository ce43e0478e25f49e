#include "gui/filters/previewrun.h"

#include <memory>

#include "filterinterface.h"
#include "gui/views/imagepixmap.h"

PreviewRun::PreviewRun(QObject *parent)
    : QObject(parent)
{
}

PreviewRun::~PreviewRun()
{
    m_worker.detach();
}

void PreviewRun::start(FilterInterface *filter, const QString &params, const Magick::Image &picture, PreviewPane pane)
{
    cancel();
    // A copy of a picture shares its pixels, and the library reads a shared
    // picture's pixels through one cache view for every thread: the dialog
    // showing its picture while the run filters would race on it. The run gets
    // pixels of its own before it starts.
    auto copy = std::make_shared<Magick::Image>(picture);
    copy->modifyImage();
    auto task = [filter, params, copy, pane](const CancelToken &token) {
        PreviewResult result;
        result.pane = pane;
        try {
            if (!token.isCancelled() && filter) {
                token.attach(*copy);
                filter->apply(params, *copy);
                if (!token.isCancelled() && copy->isValid())
                    result.image = imageToImage(*copy);
            }
        } catch (const std::exception &) {
            // An exception the plug-in let through: the preview stays empty.
            result.image = QImage();
        }
        *copy = Magick::Image();  // a photograph's samples are large; free them now
        return result;
    };
    // A run that ends before this returns hands its result over at once; the
    // result still waits for the event loop, so that the caller may show its busy
    // window first. Meanwhile a newer run or a cancel makes it stale.
    const quint64 run = ++m_run;
    m_worker.start(this, std::move(task), [this, run](const PreviewResult &result) {
        QMetaObject::invokeMethod(
            this, [this, run, result] {
                if (run == m_run)
                    emit ready(result);
            },
            Qt::QueuedConnection);
    });
}

void PreviewRun::cancel()
{
    ++m_run;
    m_worker.cancel();
}
