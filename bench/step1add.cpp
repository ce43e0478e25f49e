// Times adding a folder to the wizard's Step 1 on the real window: from the call
// to the list painted with every row (before the thumbnails), then how long the
// background takes to read every picture's facts and make its thumbnail. Prints:
//   rows <count> add_ms <ms> painted_ms <ms> facts_and_thumbnails_ms <ms>
// Usage: bench-step1-add FOLDER [REPEATS]

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTreeWidget>

#include <cstdio>

#include "engine/runtime/imagelibrary.h"
#include "gui/views/picturefeed.h"
#include "gui/views/picturetable.h"
#include "gui/wizard/step1page.h"
#include "gui/wizard/tamsorel.h"
#include "ui_tamsorel.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ImageLibrary::initialize(argv[0]);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: bench-step1-add FOLDER [REPEATS]\n");
        return 2;
    }
    const int repeats = arguments.size() > 2 ? arguments.at(2).toInt() : 1;
    QTextStream out(stdout);
    for (int r = 0; r < repeats; ++r) {
        Tamsorel window;
        window.resize(1200, 800);
        window.show();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        window.step1().addFolder(arguments.at(1));
        const qint64 added = timer.elapsed();
        window.form().treeWidget->repaint();
        QCoreApplication::processEvents();
        const qint64 painted = timer.elapsed();
        PictureFeed &feed = window.step1().table().feed();
        while (feed.isBusy())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        out << "rows " << window.form().treeWidget->topLevelItemCount() << " add_ms " << added << " painted_ms "
            << painted << " facts_and_thumbnails_ms " << timer.elapsed() << Qt::endl;
    }
    return 0;
}
