// kelvarine-batch: runs a saved project, or a job given on the command line,
// without a display, on the same conversion engine as the wizard.
//
// Exit status: 0 every picture converted or skipped as asked; 1 some pictures
// failed; 2 bad usage or an unreadable project or plan; 3 aborted (by the
// overwrite policy or an interrupt; for a share, when its plan ends at an abort).

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>

#include "apps/kelvarine-batch/batchoptions.h"
#include "engine/batch/batchplan.h"
#include "engine/batch/batchrunner.h"
#include "filterinterface.h"
#include "engine/filters/filterregistry.h"
#include "engine/picture/formatcatalog.h"
#include "engine/runtime/imagelibrary.h"
#include "kelvarineconfig.h"
#include "apps/kelvarine-batch/progressreport.h"
#include "engine/naming/renameopter.h"
#include "i18n/translations.h"

namespace {

enum ExitStatus { ExitDone = 0, ExitFailures = 1, ExitUsage = 2, ExitAborted = 3 };

std::atomic<bool> interrupted{false};

void interrupt(int)
{
    interrupted = true;
}

void printFilters()
{
    loadFilters();
    QTextStream out(stdout);
    const FilterRegistry &registry = FilterRegistry::instance();
    // By category, as the filter chooser shows them.
    QList<int> order;
    for (int i = 0; i < registry.count(); ++i)
        order.append(i);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return registry.categoryPaths().at(a) < registry.categoryPaths().at(b); });
    for (int i : std::as_const(order)) {
        const QString path = registry.categoryPaths().at(i);
        out << path.section('\\', -1) << '\t' << path << '\t' << registry.filterAt(i)->defaultParams() << '\n';
    }
}

void printFormats()
{
    QTextStream out(stdout);
    for (const QString &entry : FormatCatalog::instance().comboEntries())
        out << entry << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvarine-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVARINE_VERSION));
    Translations::install(&app);
    ImageLibrary::initialize(argv[0]);

    BatchOptions options;
    if (const Status parsed = options.parse(app.arguments()); !parsed) {
        std::fprintf(stderr, "kelvarine-batch: %s\n", parsed.error().toLocal8Bit().constData());
        std::fprintf(stderr, "%s\n", BatchOptions::tr("Try 'kelvarine-batch --help' for more information.").toLocal8Bit().constData());
        return ExitUsage;
    }
    if (options.listFilters || options.listFormats) {
        if (options.listFilters)
            printFilters();
        if (options.listFormats)
            printFormats();
        return ExitDone;
    }

    ImageLibrary::setPicturesAtOnce(std::min<int>(options.jobs, options.pictures.size()));
    // The cores are shared out among the pictures converted at once, rather than
    // oversubscribed; once, for the whole batch.
    ImageLibrary::setThreadLimit(std::max(1, QThread::idealThreadCount() / options.jobs));
    ImageLibrary::setMaxMegapixels(options.maxMegapixels);
    options.job.naming = RenameOpter(options.nameTemplate);
    BatchRunner runner(options.pictures, options.job);
    runner.setJobs(options.jobs);
    runner.setOverwritePolicy(options.policy);

    if (!options.planFile.isEmpty() && options.shards == 0) {
        // Decided once, from the folder as it is now; the shares only follow it.
        const BatchPlan plan(runner.planner(), runner.plans(), options.policyName);
        if (const Status written = plan.write(options.planFile); !written) {
            std::fprintf(stderr, "kelvarine-batch: %s\n", written.error().toLocal8Bit().constData());
            return ExitUsage;
        }
        if (!options.quiet) {
            const QString note = BatchOptions::tr("plan written to %1 (pictures: %2)")
                                     .arg(QDir::toNativeSeparators(options.planFile))
                                     .arg(options.pictures.size());
            std::fprintf(stderr, "%s\n", note.toLocal8Bit().constData());
        }
        return ExitDone;
    }

    // The pictures this run converts, by their place in the job.
    QList<int> indexes;
    QList<PicturePlan> shared;  // their plans, when a written plan decided them
    bool planAborted = false;
    if (options.shards > 0) {
        indexes = BatchPlan::share(options.pictures.size(), options.shard, options.shards);
        if (!options.planFile.isEmpty()) {
            const Result<BatchPlan> plan =
                BatchPlan::read(options.planFile, runner.planner(), options.policyName, indexes);
            if (!plan) {
                std::fprintf(stderr, "kelvarine-batch: %s\n", plan.error().toLocal8Bit().constData());
                return ExitUsage;
            }
            // A plan that ends at an abort leaves the pictures after it alone, and
            // every share ends as the whole job does.
            planAborted = !plan.value().plans().isEmpty() && plan.value().plans().last().status == StatusAborted;
            while (!indexes.isEmpty() && indexes.last() >= plan.value().plans().size())
                indexes.removeLast();
            for (int index : std::as_const(indexes))
                shared.append(plan.value().plans().at(index));
            runner.setPlans(shared);
        }
    } else {
        for (int i = 0; i < options.pictures.size(); ++i)
            indexes.append(i);
    }

    if (options.dryRun) {
        QStringList targets;
        if (options.planFile.isEmpty()) {
            targets = runner.targets();
        } else {
            targets = QStringList(options.pictures.size(), QString());
            for (int n = 0; n < indexes.size(); ++n)
                targets[indexes.at(n)] = shared.at(n).status == StatusFailed ? QString() : shared.at(n).target;
        }
        QTextStream out(stdout);
        for (int i : std::as_const(indexes)) {
            const QString target = targets.at(i).isEmpty() ? BatchOptions::tr("(missing)") : targets.at(i);
            out << QDir::toNativeSeparators(options.pictures.at(i).path) << " -> "
                << QDir::toNativeSeparators(target) << '\n';
        }
        return ExitDone;
    }

    if (!options.job.useSourceFolder && !QDir().mkpath(options.job.outputFolder)) {
        const QString message = BatchOptions::tr("cannot create the output folder %1")
                                    .arg(QDir::toNativeSeparators(options.job.outputFolder));
        std::fprintf(stderr, "kelvarine-batch: %s\n", message.toLocal8Bit().constData());
        return ExitUsage;
    }

    // An interrupt ends the batch between two pictures, so no output is left
    // half-written; a file-size limit fails the one write instead of the program.
    std::signal(SIGINT, interrupt);
    std::signal(SIGTERM, interrupt);
    std::signal(SIGXFSZ, SIG_IGN);
    runner.setInterruptFlag(&interrupted);

    ProgressReport report(indexes.size(), options.quiet);
    const BatchSummary summary = runner.run([&](int index, const PictureResult &result) {
        if (index < 0)
            report.document(result);
        else
            report.picture(options.pictures.at(options.planFile.isEmpty() ? index : indexes.at(index)).path, result);
    });
    report.finish(summary.converted, summary.skipped, summary.failed, summary.aborted);

    if (summary.aborted)
        return ExitAborted;
    if (planAborted) {
        const QString note = BatchOptions::tr("the plan ends at an abort in another share");
        std::fprintf(stderr, "kelvarine-batch: %s\n", note.toLocal8Bit().constData());
        return ExitAborted;
    }
    return summary.failed > 0 ? ExitFailures : ExitDone;
}
