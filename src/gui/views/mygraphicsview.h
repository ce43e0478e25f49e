#ifndef MYGRAPHICSVIEW_H
#define MYGRAPHICSVIEW_H

#include <QGraphicsView>

// The graphics view of the Step 2 previews: tells who wants to know that it was
// resized, and otherwise behaves as any graphics view (its own resize handling,
// which keeps scroll bars and centring right, still runs).
class MyGraphicsView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit MyGraphicsView(QWidget *parent = nullptr);

signals:
    void resizeEve(QResizeEvent *event);

protected:
    void resizeEvent(QResizeEvent *event) override;
};

#endif
