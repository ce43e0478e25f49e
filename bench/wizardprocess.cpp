// Times the wizard's Process on the real window, offscreen: a project loaded,
// the Process button pressed, the batch run in the process dialog to its end.
// Prints the milliseconds from the press to the batch's end.
// Usage:
//   bench-wizard-process make PROJECT OUTPUT_FOLDER PICTURE...   writes the project
//   bench-wizard-process run PROJECT                            runs it once

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

#include "engine/filters/filterregistry.h"
#include "engine/picture/formatcatalog.h"
#include "engine/project/projectwriter.h"
#include "engine/runtime/imagelibrary.h"
#include "gui/process/wizardbatch.h"
#include "gui/wizard/projectactions.h"
#include "gui/wizard/tamsorel.h"
#include "ui_tamsorel.h"

namespace {

// The job of bench/run.sh's kelvarine-batch workloads: Levels and Sharpen, JPG.
int makeProject(const QStringList &arguments)
{
    _ProjectFile project;
    project.images = arguments.mid(4);
    project.filters = {{QStringLiteral("Levels"), QStringLiteral("Channel:0,Black:15,White:40,Mid:9")},
                       {QStringLiteral("Sharpen"), QStringLiteral("Channel:0,Radius:3,Sigma:10")}};
    project.DestPath = arguments.at(3);
    const QStringList formats = FormatCatalog::instance().comboEntries();
    for (int row = 0; row < formats.size(); ++row) {
        if (FormatCatalog::formatName(formats.at(row)) == QLatin1String("JPG"))
            project.FormatIndex = row;
    }
    return ProjectWriter().write(arguments.at(2), project) ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ImageLibrary::initialize(argv[0]);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() >= 5 && arguments.at(1) == QLatin1String("make"))
        return makeProject(arguments);
    if (arguments.size() != 3 || arguments.at(1) != QLatin1String("run")) {
        std::fprintf(stderr, "usage: bench-wizard-process make PROJECT OUTPUT_FOLDER PICTURE...\n"
                             "       bench-wizard-process run PROJECT\n");
        return 2;
    }
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));

    Tamsorel window;
    window.show();
    if (!window.projectActions().loadProjectFile(arguments.at(2))) {
        std::fprintf(stderr, "cannot load %s\n", qPrintable(arguments.at(2)));
        return 1;
    }
    QElapsedTimer timer;
    qint64 elapsed = -1;
    QObject::connect(&window.batch().driver(), &BatchDriver::batchFinished, [&] { elapsed = timer.elapsed(); });
    // The process dialog is closed once the batch has ended; any other question
    // (an overwrite, a message) means the bench is not set up as meant.
    QTimer closer;
    int exitCode = 0;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (modal == &window.batch().dialog()) {
            if (!window.batch().dialog().isRunning() && elapsed >= 0)
                modal->findChild<QAbstractButton *>(QStringLiteral("pushAbort"))->click();
            return;
        }
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            std::fprintf(stderr, "unexpected question: %s\n", qPrintable(box->text()));
        else
            std::fprintf(stderr, "unexpected window: %s\n", modal->metaObject()->className());
        exitCode = 1;
        modal->close();
    });
    closer.start(20);
    timer.start();
    window.form().pbProcess->click();
    if (elapsed < 0)
        return 1;
    QTextStream(stdout) << elapsed << Qt::endl;
    return exitCode;
}
