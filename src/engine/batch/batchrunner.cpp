#include "engine/batch/batchrunner.h"

#include <QFuture>

#include <memory>
#include <optional>

#include "engine/batch/documentpages.h"
#include "engine/batch/picturework.h"
#include "engine/batch/worker.h"

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

QList<PicturePlan> BatchRunner::plans() const
{
    BatchPlanner planner = m_planner;
    const OverwriteAnswer answer = policyAnswer();
    QList<PicturePlan> plans;
    for (int i = 0; i < planner.count(); ++i) {
        plans.append(planner.decide(i, [answer](const QString &, QString &) { return answer; }));
        if (plans.last().status == StatusAborted)
            break;
    }
    return plans;
}

BatchSummary BatchRunner::run(const Progress &progress)
{
    const OverwriteAnswer answer = policyAnswer();
    QList<PicturePlan> plans = m_given.value_or(QList<PicturePlan>());
    for (int i = 0; !m_given && i < m_planner.count(); ++i) {
        plans.append(m_planner.decide(i, [answer](const QString &, QString &) { return answer; }));
        if (plans.last().status == StatusAborted)
            break;
    }
    const int count = plans.size();
    const bool deleteSource = m_planner.job().deleteSource;
    // One copy for every task: they read it, and the runner may go on meanwhile.
    const auto job = std::make_shared<const ConversionJob>(m_planner.job());

    Worker worker(m_jobs);
    QList<QFuture<PreparedPicture>> futures(count);
    int submitted = 0;
    // Enough conversions ahead to keep every worker busy while outputs are put in
    // place, few enough that finished ones do not pile up in memory.
    const int ahead = 2 * m_jobs;

    BatchSummary summary;
    DocumentPages document;
    RunStatus lastStatus = StatusSkipped;

    for (int i = 0; i < count; ++i) {
        for (; submitted < std::min(count, i + 1 + ahead); ++submitted) {
            const PicturePlan &plan = plans.at(submitted);
            if (plan.proceeds() && !PictureWork::waitsForItsTurn(plan, deleteSource)) {
                futures[submitted] = worker.start([plan, job](const CancelToken &token) {
                    // Not begun before the batch ended: nothing to make.
                    return token.isCancelled() ? PreparedPicture() : PictureWork::prepare(plan, *job);
                });
            }
        }
        if (m_interrupted && m_interrupted->load()) {
            summary.aborted = true;
            break;
        }
        const PicturePlan &plan = plans.at(i);
        PictureResult result;
        if (!plan.proceeds()) {
            result = plan.result();
        } else if (PictureWork::waitsForItsTurn(plan, deleteSource)) {
            result = PictureWork::copyInTurn(plan, deleteSource);
        } else {
            const PreparedPicture prepared = futures[i].result();
            futures[i] = QFuture<PreparedPicture>();  // the page or the output now has one owner
            result = PictureWork::place(plan, prepared, deleteSource, document);
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
        worker.cancel();
    worker.waitForDone();
    futures.clear();

    if (summary.aborted)
        return summary;
    if (const std::optional<PictureResult> result = document.placeIfDue(m_planner, m_planner.count() - 1, lastStatus)) {
        if (result->status == StatusFailed)
            ++summary.failed;
        if (progress)
            progress(-1, *result);
    }
    return summary;
}
