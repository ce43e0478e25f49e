#include "gui/views/imageview.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QMovie>

ImageView::ImageView(QGraphicsView *view)
    : view(view)
    , scene(new QGraphicsScene(view))
{
    view->setScene(scene);
}

void ImageView::setPixmap(const QPixmap &pixmap)
{
    scene->clear();
    scene->setSceneRect(pixmap.rect());
    pixmapItem = scene->addPixmap(pixmap);
}

void ImageView::clear()
{
    scene->clear();
    scene->setSceneRect(QRectF());
    view->resetTransform();
    pixmapItem = nullptr;
}

void ImageView::showLoading(QMovie *movie)
{
    scene->clear();
    pixmapItem = nullptr;
    scene->setSceneRect(0, 0, 100, 9);
    view->resetTransform();
    auto *label = new QLabel;
    label->setAttribute(Qt::WA_TranslucentBackground);
    if (movie && movie->isValid())
        label->setMovie(movie);
    else
        label->setText(QObject::tr("Loading..."));
    scene->addWidget(label);
}

void ImageView::fitIfLarger()
{
    if (!pixmapItem)
        return;
    view->resetTransform();
    const QSize picture = pixmapItem->pixmap().size();
    const QSize room = view->viewport()->size();
    if (picture.width() > room.width() || picture.height() > room.height())
        view->fitInView(scene->sceneRect(), Qt::KeepAspectRatio);
}

void ImageView::zoom(qreal factor)
{
    view->scale(factor, factor);
}

void ImageView::actualSize()
{
    view->resetTransform();
}

void ImageView::fitTogether(ImageView &reference, ImageView &other)
{
    if (!reference.hasPicture())
        return;
    reference.view->resetTransform();
    other.view->resetTransform();
    const QSize picture = reference.pixmapItem->pixmap().size();
    const QSize room = reference.view->viewport()->size();
    if (picture.width() > room.width() || picture.height() > room.height()) {
        reference.view->fitInView(reference.scene->sceneRect(), Qt::KeepAspectRatio);
        other.view->setTransform(reference.view->transform());
    }
}
