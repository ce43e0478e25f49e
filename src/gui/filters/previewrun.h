#ifndef PREVIEWRUN_H
#define PREVIEWRUN_H

// Renders one filter on one picture for the settings dialog's preview, off the
// GUI thread through a Worker. Each run filters its own deep copy of the picture
// with its own copy of the parameter string; starting a run cancels the one
// before it, whose result is then never reported.
//
//   PreviewRun run;
//   connect(&run, &PreviewRun::ready, this, [](const PreviewResult &result) { ... });
//   run.start(filter, params, picture, PreviewPane::Filtered);
//
// Threads: every member from the GUI thread; ready() arrives there.

#include <QImage>
#include <QObject>
#include <QString>

#include <Magick++.h>

#include "engine/batch/worker.h"

class FilterInterface;

// The view of the dialog a result is for.
enum class PreviewPane { Original, Filtered };

struct PreviewResult
{
    QImage image;  // null when the filter left no valid picture
    PreviewPane pane = PreviewPane::Filtered;
};

class PreviewRun : public QObject
{
    Q_OBJECT

public:
    explicit PreviewRun(QObject *parent = nullptr);
    // A run still going is cancelled and left to end on its own (a filter that
    // reports no progress cannot be stopped); nothing waits for it.
    ~PreviewRun() override;

    // The copy of `picture` is taken here, so the caller may show or change its
    // picture while the run filters.
    void start(FilterInterface *filter, const QString &params, const Magick::Image &picture, PreviewPane pane);
    // The library operation in progress stops where the library allows it.
    void cancel();
    bool isRunning() const { return m_worker.isBusy(); }
    void waitForDone() { m_worker.waitForDone(); }

signals:
    void ready(const PreviewResult &result);

private:
    Worker m_worker{1};
    quint64 m_run = 0;  // the newest run; the others' results are stale
};

#endif
