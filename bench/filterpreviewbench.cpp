// Times the filter settings dialog's preview of one photograph against gm convert
// doing the same decode and filter in the same run, and how soon Cancel gives
// control back during a slow Oil Paint preview. Run by bench/filterpreview.sh.
//
//   filterpreviewbench PHOTO [REPEATS]

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsPixmapItem>
#include <QGraphicsView>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include "gui/filters/dlgfilterprocess.h"
#include "gui/filters/dlgfilterset.h"
#include "engine/filters/filterregistry.h"
#include "engine/runtime/imagelibrary.h"
#include "gui/filters/previewrun.h"

namespace {

void spinUntil(const std::function<bool()> &condition)
{
    while (!condition())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool previewShown(const DlgFilterSet &dialog)
{
    const auto *view = dialog.findChild<QGraphicsView *>(QStringLiteral("graphicsView_2"));
    for (QGraphicsItem *item : view->scene()->items()) {
        if (auto *pixmap = dynamic_cast<QGraphicsPixmapItem *>(item))
            return !pixmap->pixmap().isNull();
    }
    return false;
}

FilterInterface *filterNamed(const QString &name)
{
    const FilterRegistry &registry = FilterRegistry::instance();
    return registry.filterAt(registry.indexOfFilter(name));
}

// From opening the dialog on the photograph to its preview on screen.
double dialogPreview(const QString &photo, const QString &filter, const QString &params)
{
    QElapsedTimer clock;
    clock.start();
    DlgFilterSet dialog;
    dialog.setFilter(filterNamed(filter));
    dialog.setParams(params);
    dialog.setImage(photo);
    dialog.show();
    spinUntil([&] { return previewShown(dialog); });
    return clock.nsecsElapsed() / 1e9;
}

double gmConvert(const QString &photo, const QStringList &operation)
{
    QElapsedTimer clock;
    clock.start();
    QProcess::execute(QStringLiteral("gm"), QStringList{QStringLiteral("convert"), photo} << operation
                                                                                        << QStringLiteral("null:"));
    return clock.nsecsElapsed() / 1e9;
}

struct CancelTimes
{
    double controlBack = 0;  // Cancel clicked until the dialog takes input again
    double workerEnd = 0;    // until the abandoned run has ended
};

CancelTimes cancelOilPaint(const QString &photo)
{
    DlgFilterSet dialog;
    dialog.setFilter(filterNamed(QStringLiteral("Oil Paint")));
    dialog.setParams(QStringLiteral("Value:1"));
    dialog.setImage(photo);
    dialog.show();
    spinUntil([&] { return previewShown(dialog); });

    auto *busy = dialog.findChild<DlgFilterProcess *>();
    auto *worker = dialog.findChild<PreviewRun *>();
    CancelTimes times;
    QElapsedTimer clock;
    bool clicked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!busy->isVisible())
            return;
        poll.stop();
        // Well into the run: the filter is working on the picture.
        QTimer::singleShot(1000, [&] {
            clock.start();
            busy->findChild<QPushButton *>(QStringLiteral("pbCancel"))->click();
            clicked = true;
        });
    });
    poll.start(5);
    auto *slider = dialog.findChild<QSlider *>(QStringLiteral("step10_value"));
    slider->setSliderDown(true);
    slider->setValue(100);
    slider->setSliderDown(false);  // the run starts here and returns when the busy window closes
    times.controlBack = clock.nsecsElapsed() / 1e9;
    if (!clicked)
        std::fprintf(stderr, "the Oil Paint preview finished before Cancel\n");
    worker->waitForDone();
    times.workerEnd = clock.nsecsElapsed() / 1e9;
    return times;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ImageLibrary::initialize(argv[0]);
    if (argc < 2) {
        std::fprintf(stderr, "usage: filterpreviewbench PHOTO [REPEATS]\n");
        return 2;
    }
    const QString photo = QString::fromLocal8Bit(argv[1]);
    const int repeats = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));

    struct Case
    {
        const char *filter;
        const char *params;
        QStringList gm;
    };
    const QList<Case> cases = {
        {"Levels", "Channel:0,Black:15,White:40,Mid:9", {"-level", "15%,0.9,40%"}},
        {"Sharpen", "Channel:0,Radius:3,Sigma:10", {"-sharpen", "3x1"}},
    };
    for (const Case &c : cases) {
        QList<double> dialog, gm;
        for (int r = 0; r < repeats; ++r) {
            gm << gmConvert(photo, c.gm);
            dialog << dialogPreview(photo, QLatin1String(c.filter), QLatin1String(c.params));
        }
        std::printf("%-8s preview in the dialog %6.2f s   gm convert %6.2f s   ratio %.2f\n", c.filter,
                    median(dialog), median(gm), median(dialog) / median(gm));
    }
    QList<double> back, end;
    for (int r = 0; r < repeats; ++r) {
        const CancelTimes times = cancelOilPaint(photo);
        back << times.controlBack;
        end << times.workerEnd;
    }
    std::printf("Oil Paint cancelled: control back after %.3f s, abandoned run ended after %.3f s\n", median(back),
                median(end));
    return 0;
}
