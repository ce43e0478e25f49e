#include "gui/filters/previewzoom.h"

#include <QGraphicsView>
#include <QScrollBar>

namespace {

void follow(QScrollBar *one, QScrollBar *other)
{
    QObject::connect(one, &QScrollBar::valueChanged, other, &QScrollBar::setValue);
    QObject::connect(other, &QScrollBar::valueChanged, one, &QScrollBar::setValue);
}

} // namespace

PreviewZoom::PreviewZoom(QGraphicsView *original, QGraphicsView *filtered)
    : m_original(std::make_unique<ImageView>(original))
    , m_filtered(std::make_unique<ImageView>(filtered))
{
    for (QGraphicsView *view : {original, filtered})
        view->setFixedSize(472, 291);
    follow(original->horizontalScrollBar(), filtered->horizontalScrollBar());
    follow(original->verticalScrollBar(), filtered->verticalScrollBar());
}

PreviewZoom::~PreviewZoom() = default;

ImageView &PreviewZoom::view(PreviewPane pane)
{
    return pane == PreviewPane::Original ? *m_original : *m_filtered;
}

void PreviewZoom::fit()
{
    ImageView::fitTogether(*m_original, *m_filtered);
}

void PreviewZoom::actualSize()
{
    m_original->actualSize();
    m_filtered->actualSize();
}

void PreviewZoom::zoom(qreal factor)
{
    m_original->zoom(factor);
    m_filtered->zoom(factor);
}
