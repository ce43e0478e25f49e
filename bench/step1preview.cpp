// Times the wizard's Step 1 from selecting a picture in the list to the picture
// painted in the view, on the real window. Prints one line per run:
//   <file> <milliseconds>
// Usage: bench-step1-preview REPEATS PICTURE...

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsPixmapItem>
#include <QGraphicsView>
#include <QTextStream>
#include <QTreeWidget>

#include <cstdio>

#include "engine/runtime/imagelibrary.h"
#include "gui/wizard/step1page.h"
#include "gui/wizard/tamsorel.h"
#include "ui_tamsorel.h"
#include "gui/views/wizardviews.h"

namespace {

// Counts paints of the view's viewport, so the time ends when the picture is on screen.
class PaintWatch : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ImageLibrary::initialize(argv[0]);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: bench-step1-preview REPEATS PICTURE...\n");
        return 2;
    }
    const int repeats = arguments.at(1).toInt();
    const QStringList pictures = arguments.mid(2);

    Tamsorel window;
    window.resize(1200, 800);
    window.show();
    window.step1().addPictures(pictures);
    QTreeWidget *list = window.form().treeWidget;
    ImageView &view = window.views().step1();
    PaintWatch watch;
    view.view->viewport()->installEventFilter(&watch);

    QTextStream out(stdout);
    for (int r = 0; r < repeats; ++r) {
        for (int row = 0; row < pictures.size(); ++row) {
            list->clearSelection();
            list->setCurrentItem(nullptr);
            view.clear();
            QCoreApplication::processEvents();

            QElapsedTimer timer;
            timer.start();
            list->setCurrentItem(list->topLevelItem(row));
            while (!view.pixmapItem)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            const int before = watch.paints;
            view.view->viewport()->repaint();  // what the next screen update does
            while (watch.paints == before)
                QCoreApplication::processEvents();
            out << pictures.at(row) << ' ' << timer.elapsed() << Qt::endl;
        }
    }
    return 0;
}
