#ifndef IMAGEVIEW_H
#define IMAGEVIEW_H

// One picture view of the wizard: a graphics view, its scene, the one pixmap it
// shows, and whether that content still matches the current picture and chain.
// The zoom operations are the same for every view of the program.
//
// Threads: GUI thread only.

#include <QPixmap>

class QGraphicsPixmapItem;
class QGraphicsScene;
class QGraphicsView;
class QMovie;

struct ImageView
{
    explicit ImageView(QGraphicsView *view);
    ImageView(const ImageView &) = delete;
    ImageView &operator=(const ImageView &) = delete;

    QGraphicsView *view;
    QGraphicsScene *scene;  // owned by the view
    QGraphicsPixmapItem *pixmapItem = nullptr;
    bool stale = true;

    // Replaces the content with the pixmap, the scene exactly its size.
    void setPixmap(const QPixmap &pixmap);
    // Empty scene, empty rectangle, 100 %.
    void clear();
    // The animated indicator while a picture is decoded.
    void showLoading(QMovie *movie);

    // At 100 %, or fitted keeping the aspect ratio when the picture is larger than the view.
    void fitIfLarger();
    void zoom(qreal factor);  // multiplies the current scale
    void actualSize();
    bool hasPicture() const { return pixmapItem != nullptr; }

    static constexpr qreal zoomInFactor = 1.2;
    static constexpr qreal zoomOutFactor = 0.8;

    // Two views of the same picture (before and after): both at 100 %, then both
    // fitted to the reference scene when its picture is larger than its view.
    static void fitTogether(ImageView &reference, ImageView &other);
};

#endif
