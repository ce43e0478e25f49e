#include "engine/batch/batchrunner.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QThread>
#include <QTimer>

#include <optional>

#include "engine/batch/worker.h"

BatchRunner::BatchRunner(const QList<PictureEntry> &pictures, const ConversionJob &job)
    : m_planner(pictures, job)
{
}

BatchRunner::~BatchRunner()
{
    *m_alive = false;
    if (m_worker && m_context)
        m_worker->detach();
}

int BatchRunner::recommendedJobs()
{
    return std::max(1, QThread::idealThreadCount());
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

int BatchRunner::total() const
{
    return m_given ? int(m_given->size()) : m_planner.count();
}

BatchSummary BatchRunner::run(const Progress &progress)
{
    m_context = nullptr;
    m_progress = progress;
    m_running = true;
    m_worker = std::make_unique<Worker>(m_jobs);
    m_job = std::make_shared<const ConversionJob>(m_planner.job());
    m_futures = QList<QFuture<PreparedPicture>>(total());
    advance(true);
    return m_summary;
}

void BatchRunner::start(QObject *context, const Progress &progress, const std::function<void()> &finished)
{
    m_context = context;
    m_progress = progress;
    m_finished = finished;
    m_running = true;
    m_worker = std::make_unique<Worker>(m_jobs);
    m_job = std::make_shared<const ConversionJob>(m_planner.job());
    m_futures = QList<QFuture<PreparedPicture>>(total());
    // From the event loop, as every step after it: the owner hears nothing, and is
    // asked nothing, before start() has returned.
    QTimer::singleShot(0, context, [this, alive = std::weak_ptr<bool>(m_alive)] {
        const std::shared_ptr<bool> living = alive.lock();
        if (living && *living && m_running)
            advance(false);
    });
}

int BatchRunner::stop()
{
    if (!m_running)
        return -1;
    if (m_documentRun.isValid()) {
        // Every picture is in; the document holding them is finished rather than
        // left behind half made, its sources not yet removed.
        const std::optional<PictureResult> document = m_documentRun.result();
        m_documentRun = {};
        tellEnd(total() - 1, m_lastResult, document);
    }
    m_running = false;
    m_summary.aborted = true;
    // The conversions in progress end at the library's next progress report; an
    // output made meanwhile is never put in place, and goes with its future.
    m_worker->detach();
    m_futures.clear();
    return m_next < total() ? m_next : -1;
}

void BatchRunner::advance(bool block)
{
    // A question's event loop can bring the end of a conversion while this is
    // deciding: the loop below looks again once the question is answered.
    if (m_advancing) {
        m_again = true;
        return;
    }
    m_advancing = true;
    do {
        m_again = false;
        step(block);
    } while (m_again && m_running);
    m_advancing = false;
}

bool BatchRunner::decideAhead()
{
    const OverwriteAnswer answer = policyAnswer();
    const OverwriteQuestion policy = [answer](const QString &, QString &) { return answer; };
    // A policy never waits, so every picture is decided at once. A person is
    // asked as the batch reaches the picture, a few conversions ahead of the log.
    const int horizon = m_question ? std::min(total(), m_next + 1 + 2 * m_jobs) : total();
    if (m_given && !m_decidedAll) {
        // Decided before, by the run that wrote the plan.
        m_plans = *m_given;
        for (const PicturePlan &plan : std::as_const(m_plans))
            m_renamed.append(!plan.message.isEmpty());
        m_decidedAll = true;
    }
    while (!m_decidedAll && m_plans.size() < horizon) {
        bool renamed = false;
        const PicturePlan plan = m_planner.decide(int(m_plans.size()), [&](const QString &target, QString &name) {
            // An answer of no known kind ends the batch rather than replace a file.
            const OverwriteAnswer given = overwriteAnswer(m_question ? m_question(target, name) : policy(target, name));
            renamed = renamed || given == OverwriteRename;
            return given;
        });
        // Stopped while the question was open: its answer applies to nothing.
        if (!m_running)
            return false;
        m_plans.append(plan);
        m_renamed.append(renamed || !plan.message.isEmpty());
        m_decidedAll = plan.status == StatusAborted || m_plans.size() == total();
    }
    return true;
}

void BatchRunner::startConversions()
{
    const bool deleteSource = m_planner.job().deleteSource;
    // Enough conversions ahead to keep every worker busy while outputs are put in
    // place, few enough that finished ones do not pile up in memory.
    const int end = std::min<int>(m_plans.size(), m_next + 1 + 2 * m_jobs);
    for (; m_started < end; ++m_started) {
        const PicturePlan &plan = m_plans.at(m_started);
        if (!plan.proceeds() || PictureWork::waitsForItsTurn(plan, deleteSource))
            continue;
        const std::shared_ptr<const ConversionJob> job = m_job;
        QFuture<PreparedPicture> future = m_worker->start([plan, job](const CancelToken &token) {
            // Not begun before the batch ended: nothing to make.
            return token.isCancelled() ? PreparedPicture() : PictureWork::prepare(plan, *job);
        });
        m_futures[m_started] = future;
        if (!m_context)
            continue;
        // Posted to the owner's event loop, never called from here.
        auto *watcher = new QFutureWatcher<PreparedPicture>(m_context);
        QObject::connect(watcher, &QFutureWatcherBase::finished, m_context,
                         [this, watcher, alive = std::weak_ptr<bool>(m_alive)] {
                             watcher->deleteLater();
                             const std::shared_ptr<bool> living = alive.lock();
                             if (living && *living && m_running)
                                 advance(false);
                         });
        watcher->setFuture(future);
    }
}

void BatchRunner::step(bool block)
{
    const bool deleteSource = m_planner.job().deleteSource;
    while (m_running) {
        if (m_documentRun.isValid())
            return;  // the document's end calls again
        if (!decideAhead())
            return;
        startConversions();
        if (m_interrupted && m_interrupted->load()) {
            m_summary.aborted = true;
            finish();
            return;
        }
        if (m_next >= m_plans.size()) {
            finish();
            return;
        }
        const PicturePlan &plan = m_plans.at(m_next);
        const bool converted = plan.proceeds() && !PictureWork::waitsForItsTurn(plan, deleteSource);
        if (converted && !block && !m_futures.at(m_next).isFinished())
            return;  // its end calls again

        PictureResult result;
        if (!plan.proceeds()) {
            result = plan.result();
        } else if (!converted) {
            result = PictureWork::copyInTurn(plan, deleteSource);
        } else {
            const PreparedPicture prepared = m_futures[m_next].result();
            m_futures[m_next] = QFuture<PreparedPicture>();  // the page or the output now has one owner
            result = PictureWork::place(plan, prepared, deleteSource, m_document);
        }
        m_lastStatus = result.status;
        switch (result.status) {
        case StatusConverted:
            ++m_summary.converted;
            if (m_renamed.at(m_next))
                ++m_summary.renamed;
            break;
        case StatusFailed:
            ++m_summary.failed;
            break;
        case StatusAborted:
            m_summary.aborted = true;
            break;
        case StatusSkipped:
            ++m_summary.skipped;
            break;
        }
        const int index = m_next++;
        if (!m_summary.aborted && m_next == total() && m_context
            && m_planner.documentDue(index, m_lastStatus) && !m_document.isEmpty()) {
            writeDocumentAside(index, result);
            return;
        }
        // The document is written before the last picture is told, so that a
        // listener hears the whole end of the batch in one go.
        std::optional<PictureResult> document;
        if (!m_summary.aborted && m_next == total())
            document = m_document.placeIfDue(m_planner, index, m_lastStatus);
        if (!tellEnd(index, result, document))
            return;
        if (m_summary.aborted) {
            finish();
            return;
        }
    }
}

bool BatchRunner::tellEnd(int index, const PictureResult &result, const std::optional<PictureResult> &document)
{
    if (document && document->status == StatusFailed)
        ++m_summary.failed;
    if (m_progress)
        m_progress(index, result);
    if (document && m_progress && m_running)
        m_progress(-1, *document);
    return m_running;  // false: stopped by the listener
}

void BatchRunner::writeDocumentAside(int index, const PictureResult &last)
{
    // The whole document is encoded at once: on the worker, so that the owner's
    // window stays responsive meanwhile. The task has its own copy of the pages.
    m_lastResult = last;
    const BatchPlanner planner = m_planner;
    DocumentPages pages = m_document;
    m_document.clear();
    const RunStatus status = m_lastStatus;
    m_documentRun = m_worker->start([planner, pages, index, status](const CancelToken &) {
        DocumentPages written = pages;
        return written.placeIfDue(planner, index, status);
    });
    auto *watcher = new QFutureWatcher<std::optional<PictureResult>>(m_context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, m_context,
                     [this, watcher, alive = std::weak_ptr<bool>(m_alive)] {
                         watcher->deleteLater();
                         const std::shared_ptr<bool> living = alive.lock();
                         if (!living || !*living || !m_running || !m_documentRun.isValid())
                             return;
                         const std::optional<PictureResult> document = m_documentRun.result();
                         m_documentRun = {};
                         if (tellEnd(total() - 1, m_lastResult, document))
                             finish();
                     });
    watcher->setFuture(m_documentRun);
}

void BatchRunner::finish()
{
    m_running = false;
    if (m_summary.aborted)
        m_worker->cancel();
    if (!m_context)
        m_worker->waitForDone();
    m_futures.clear();
    if (m_finished)
        m_finished();
}
