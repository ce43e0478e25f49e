#ifndef PREVIEWTHREAD_H
#define PREVIEWTHREAD_H

// Renders one filter on one picture for the settings dialog's preview, off the
// GUI thread. The dialog sets up a run, starts the thread and waits for
// closeProcessDlgSignal(), which ends every run, finished or stopped.
//
// Threads: setup() only while the thread is not running; stop() from any thread.

#include <QImage>
#include <QString>
#include <QThread>

#include <atomic>

#include <Magick++.h>

#include "engine/batch/canceltoken.h"

class FilterInterface;

class PreviewThread : public QThread
{
    Q_OBJECT

public:
    explicit PreviewThread(QObject *parent = nullptr);
    ~PreviewThread() override;

    // The run filters its own deep copy of the picture, taken here: the caller's
    // picture is never touched by the worker, and may be read while it runs.
    void setup(FilterInterface *filter, const QString &params, const Magick::Image &image, void *view,
               bool fitFlag);
    // A stopped run reports nothing but its end; a library operation in progress
    // is abandoned where the library allows it.
    void stop();
    bool isStopped() const { return m_stopped.load(); }
    // Stops the run and lets it wind down on its own, for an owner that goes away
    // without waiting: the thread deletes itself when it ends, and the program
    // waits for it on the way out, before the image library shuts down.
    void abandon();

signals:
    void closeProcessDlgSignal();
    // The filtered picture (empty when the filter left no valid picture).
    void completeProcess(const QImage &image, void *view, bool fitFlag);

protected:
    void run() override;

private:
    std::atomic<bool> m_stopped{false};
    FilterInterface *m_filter = nullptr;
    QString m_params;
    Magick::Image m_image;
    void *m_view = nullptr;
    bool m_fitFlag = false;
    CancelToken m_cancel;
};

#endif
