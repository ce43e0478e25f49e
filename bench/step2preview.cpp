// Times the wizard's Step 2 Preview tab, from a change of the chain to the
// filtered photograph on screen, on the real window. Prints one line per run:
//   <milliseconds>
// Usage: bench-step2-preview REPEATS PICTURE

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsPixmapItem>
#include <QTextStream>

#include <cstdio>

#include "engine/filters/filterregistry.h"
#include "engine/runtime/imagelibrary.h"
#include "engine/runtime/resourcedir.h"
#include "gui/wizard/step1page.h"
#include "gui/wizard/step2page.h"
#include "gui/wizard/tamsorel.h"
#include "ui_tamsorel.h"
#include "gui/views/wizardviews.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ImageLibrary::initialize(argv[0]);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: bench-step2-preview REPEATS PICTURE\n");
        return 2;
    }
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));

    Tamsorel window;
    window.resize(1200, 800);
    window.show();
    window.step1().addPictures({arguments.at(2)});
    window.form().pbStep_AddFilters->click();
    Step2Page &page = window.step2();
    ImageView &preview = window.views().preview();

    // The chain of the comparison: gm convert -level 15%,0.9,40% -sharpen 3x1 -resize 50%.
    const QList<FilterEntry> chain{{QStringLiteral("Levels"), QStringLiteral("Channel:0,Black:15,White:40,Mid:9")},
                                   {QStringLiteral("Sharpen"), QStringLiteral("Channel:0,Radius:3,Sigma:10")},
                                   {QStringLiteral("Resize"),
                                    QStringLiteral("Type:1,Width:50,Height:50,Radio:0,RadioBy:0")}};
    QTextStream out(stdout);
    for (int r = 0; r < arguments.at(1).toInt(); ++r) {
        page.setChainRows({});
        QElapsedTimer timer;
        timer.start();
        page.setChainRows(chain);
        preview.pixmapItem = nullptr;  // forgotten, not deleted: the next picture replaces the scene
        page.refreshPreview(0);
        while (!preview.pixmapItem)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        preview.view->viewport()->repaint();
        out << timer.elapsed() << Qt::endl;
    }
    return 0;
}
