#include "engine/batch/batchrunner.h"

#include <QFuture>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include "engine/runtime/imagelibrary.h"
#include "engine/files/safefile.h"

struct BatchRunner::Rendered
{
    bool ok = false;
    PictureResult failure;
    std::shared_ptr<OutputFile> output;  // Encode and Copy: written, not yet in place
    Magick::Image page;                  // Page
    QStringList notes;                   // to tell beside its success
};

BatchRunner::BatchRunner(const QList<PictureEntry> &pictures, const ConversionJob &job)
    : m_planner(pictures, job)
{
}

OverwriteAnswer BatchRunner::policyAnswer() const
{
    switch (m_policy) {
    case OverwritePolicy::Overwrite:
        return OverwriteYes;
    case OverwritePolicy::Abort:
        return OverwriteAbort;
    case OverwritePolicy::Skip:
        break;
    }
    return OverwriteNo;
}

QStringList BatchRunner::targets() const
{
    BatchPlanner planner = m_planner;
    const OverwriteAnswer answer = policyAnswer();
    QStringList targets;
    for (int i = 0; i < planner.count(); ++i) {
        const PicturePlan plan = planner.decide(i, [answer](const QString &, QString &) { return answer; });
        targets.append(plan.status == StatusFailed ? QString() : plan.target);
    }
    return targets;
}

bool BatchRunner::movedInTurn(const PicturePlan &plan) const
{
    return plan.mode == PictureMode::Copy && !plan.cleansCopy
           && (m_planner.job().deleteSource || SafeFile::samePath(plan.source, plan.target));
}

BatchRunner::Rendered BatchRunner::renderOne(const PicturePlan &plan) const
{
    Rendered rendered;
    const ConversionJob &job = m_planner.job();
    // The written output, or why there is none.
    auto settle = [&rendered](Result<std::unique_ptr<OutputFile>> output) {
        rendered.ok = output.ok();
        if (rendered.ok)
            rendered.output = std::move(output).value();
        else
            rendered.failure = PicturePipeline::failed(output.error());
    };
    if (plan.mode == PictureMode::Copy && plan.cleansCopy) {
        settle(PicturePipeline::cleanedCopy(plan.source, plan.target, job.output, &rendered.notes));
        return rendered;
    }
    if (plan.mode == PictureMode::Copy) {
        settle(SafeFile::copyToOutput(plan.source, plan.target));
        return rendered;
    }
    Result<RenderedPicture> picture = PicturePipeline::render(plan.source, job);
    if (!picture) {
        rendered.failure = PicturePipeline::failed(picture.error());
        return rendered;
    }
    if (plan.mode == PictureMode::Page) {
        const Result<Magick::Image> page = PicturePipeline::asPage(picture.value(), plan.extension);
        rendered.ok = page.ok();
        if (page)
            rendered.page = page.value();
        else
            rendered.failure = PicturePipeline::failed(page.error());
    } else {
        settle(PicturePipeline::encode(picture.value(), plan.extension, plan.target, plan.source, job));
    }
    if (rendered.ok)
        rendered.notes = picture.value().notesOf();
    return rendered;
}

BatchSummary BatchRunner::run(const Progress &progress)
{
    const OverwriteAnswer answer = policyAnswer();
    QList<PicturePlan> plans;
    for (int i = 0; i < m_planner.count(); ++i) {
        plans.append(m_planner.decide(i, [answer](const QString &, QString &) { return answer; }));
        if (plans.last().status == StatusAborted)
            break;
    }
    const int count = plans.size();
    const bool deleteSource = m_planner.job().deleteSource;

    QThreadPool pool;
    pool.setMaxThreadCount(m_jobs);
    ImageLibrary::setThreadLimit(std::max(1, QThread::idealThreadCount() / m_jobs));

    QList<QFuture<Rendered>> futures(count);
    int submitted = 0;
    // Enough conversions ahead to keep every worker busy while outputs are put in
    // place, few enough that finished ones do not pile up in memory.
    const int ahead = 2 * m_jobs;

    BatchSummary summary;
    QList<Magick::Image> pages;
    QStringList pageSources;
    RunStatus lastStatus = StatusSkipped;

    for (int i = 0; i < count; ++i) {
        for (; submitted < std::min(count, i + 1 + ahead); ++submitted) {
            const PicturePlan &plan = plans.at(submitted);
            if (plan.proceeds() && !movedInTurn(plan))
                futures[submitted] = QtConcurrent::run(&pool, [this, plan] { return renderOne(plan); });
        }
        if (m_interrupted && m_interrupted->load()) {
            summary.aborted = true;
            break;
        }
        const PicturePlan &plan = plans.at(i);
        PictureResult result;
        if (!plan.proceeds()) {
            result = plan.result();
        } else if (movedInTurn(plan)) {
            result = plan.settled(PicturePipeline::copyPicture(plan.source, plan.target, deleteSource));
        } else {
            const Rendered rendered = futures[i].result();
            futures[i] = QFuture<Rendered>();  // the page or the output now has one owner
            if (!rendered.ok) {
                result = rendered.failure;
            } else if (plan.mode == PictureMode::Page) {
                pages.append(rendered.page);
                pageSources.append(plan.source);
                result.status = StatusConverted;
            } else {
                result = PicturePipeline::placeOutput(*rendered.output, plan.source, deleteSource);
            }
            result.notes = rendered.notes;
            result = plan.settled(result);
        }
        lastStatus = result.status;

        switch (result.status) {
        case StatusConverted:
            ++summary.converted;
            break;
        case StatusFailed:
            ++summary.failed;
            break;
        case StatusAborted:
            summary.aborted = true;
            break;
        case StatusSkipped:
            ++summary.skipped;
            break;
        }
        if (progress)
            progress(i, result);
        if (summary.aborted)
            break;
    }

    if (summary.aborted)
        pool.clear();
    pool.waitForDone();
    futures.clear();

    if (!summary.aborted && !pages.isEmpty() && m_planner.documentDue(m_planner.count() - 1, lastStatus)) {
        const PictureResult result = PicturePipeline::placeDocument(
            pages, m_planner.documentExtension(), m_planner.documentPath(), pageSources, deleteSource);
        if (result.status == StatusFailed)
            ++summary.failed;
        if (progress)
            progress(-1, result);
    }
    ImageLibrary::setThreadLimit(0);
    return summary;
}
