#ifndef PREVIEWZOOM_H
#define PREVIEWZOOM_H

// The settings dialog's two views, the picture before and after the filter: both
// show the same part of it at the same scale.
//
// Threads: GUI thread only.

#include <memory>

#include "gui/filters/previewrun.h"
#include "gui/views/imageview.h"

class QGraphicsView;

class PreviewZoom
{
public:
    PreviewZoom(QGraphicsView *original, QGraphicsView *filtered);
    ~PreviewZoom();
    PreviewZoom(const PreviewZoom &) = delete;
    PreviewZoom &operator=(const PreviewZoom &) = delete;

    ImageView &view(PreviewPane pane);
    // Both at 100 %, then fitted together when the picture is larger than the views.
    void fit();
    void actualSize();
    void zoom(qreal factor);

private:
    std::unique_ptr<ImageView> m_original;
    std::unique_ptr<ImageView> m_filtered;
};

#endif
