#ifndef BATCHRUNNER_H
#define BATCHRUNNER_H

// Runs a whole batch, for kelvarine-batch and for the wizard alike: several
// pictures decoded, filtered and encoded (or copied) at once by a worker, while
// their outputs are put in place one by one in picture order on the owner's
// thread. The planner decides every picture in picture order, each once, before
// its conversion starts; the overwrite question goes to the policy, or to the
// owner's question (the wizard's user), asked on the owner's thread one at a
// time. While a question is open the conversions already started go on; only
// putting outputs in place waits for the answer. The files a batch leaves behind
// do not depend on how many pictures are converted at once, nor on who answers.
//
// Two ways to run it: run() blocks until the batch ends (kelvarine-batch);
// start() returns at once and goes on each time a conversion ends, from the
// owner's event loop (the wizard). A question may run an event loop of its own.
//
// Threads: construct and use on one thread. The image library's threads per
// operation are the program's to set, once at its start (see
// ImageLibrary::setThreadLimit and recommendedJobs()): a batch never changes them.

#include <QFuture>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "engine/batch/batchplanner.h"
#include "engine/batch/conversionjob.h"
#include "engine/batch/documentpages.h"
#include "engine/batch/overwritecheck.h"
#include "engine/batch/pictureentry.h"
#include "engine/batch/picturework.h"
#include "engine/picture/picturepipeline.h"

class Worker;

enum class OverwritePolicy { Skip, Overwrite, Abort };

struct BatchSummary
{
    int converted = 0;
    int renamed = 0;  // of the converted: saved under another name than planned
    int skipped = 0;
    int failed = 0;
    bool aborted = false;
};

class BatchRunner
{
public:
    BatchRunner(const QList<PictureEntry> &pictures, const ConversionJob &job);
    // Conversions still in progress are cancelled; a batch started with start()
    // leaves them to end on their own, their outputs never put in place.
    ~BatchRunner();
    BatchRunner(const BatchRunner &) = delete;
    BatchRunner &operator=(const BatchRunner &) = delete;

    // Pictures converted at once by default: one per core. A program sets the
    // image library's threads per operation to the cores / this, once.
    static int recommendedJobs();

    // Pictures converted at once.
    void setJobs(int jobs) { m_jobs = std::max(1, jobs); }
    void setOverwritePolicy(OverwritePolicy policy) { m_policy = policy; }
    // Asks instead of the policy, on the owner's thread, in picture order.
    void setOverwriteQuestion(OverwriteQuestion question) { m_question = std::move(question); }
    // Checked between pictures; when it turns true the batch ends as aborted.
    void setInterruptFlag(const std::atomic<bool> *interrupted) { m_interrupted = interrupted; }

    // The output of each picture as the batch would decide it now: its own file,
    // or the multi-page document it becomes a page of. Empty for a picture that
    // cannot be named (its source is missing, or the name too long).
    QStringList targets() const;

    // Every picture's plan as run() would decide it now, in picture order up to
    // an abort; the planner they were decided with is planner().
    QList<PicturePlan> plans() const;
    const BatchPlanner &planner() const { return m_planner; }
    // run() converts these plans, decided before (a share of a written plan),
    // instead of deciding; progress indexes are positions in this list. Not for
    // a multi-page job: its document is written by a run that decides.
    void setPlans(const QList<PicturePlan> &plans) { m_given = plans; }

    // Called in picture order as each result is settled; index -1 reports the
    // multi-page document, written after the last picture.
    using Progress = std::function<void(int index, const PictureResult &result)>;
    BatchSummary run(const Progress &progress);

    // Starts the batch and returns; it goes on from `context`'s event loop (which
    // makes every call of `progress` and of the question), and calls `finished`
    // once it has ended by itself (not after stop()).
    void start(QObject *context, const Progress &progress, const std::function<void()> &finished);
    // Ends a started batch at once: nothing more is decided or put in place (a
    // multi-page document being written after the last picture is finished
    // first). The index of the first picture not reported, or -1 when every one was.
    int stop();
    bool isRunning() const { return m_running; }
    const BatchSummary &summary() const { return m_summary; }

private:
    OverwriteAnswer policyAnswer() const;
    // Pictures of this run: the given plans, or every picture of the job.
    int total() const;
    // Goes as far as it can without waiting (or, when `block`, to the end).
    void advance(bool block);
    void step(bool block);
    // Decides the pictures due by now; false when the batch ended meanwhile.
    bool decideAhead();
    void startConversions();
    // Tells the result of picture `index` and the document after it; false when
    // the listener stopped the batch.
    bool tellEnd(int index, const PictureResult &result, const std::optional<PictureResult> &document);
    void writeDocumentAside(int index, const PictureResult &last);
    void finish();

    BatchPlanner m_planner;
    std::optional<QList<PicturePlan>> m_given;
    int m_jobs = 1;
    OverwritePolicy m_policy = OverwritePolicy::Skip;
    OverwriteQuestion m_question;
    const std::atomic<bool> *m_interrupted = nullptr;

    // The batch in progress.
    std::unique_ptr<Worker> m_worker;
    std::shared_ptr<const ConversionJob> m_job;  // the tasks' copy
    QList<PicturePlan> m_plans;
    QList<bool> m_renamed;  // by an answer, per decided picture
    bool m_decidedAll = false;
    QList<QFuture<PreparedPicture>> m_futures;
    int m_started = 0;  // pictures whose conversion has been considered
    int m_next = 0;     // the picture put in place next
    RunStatus m_lastStatus = StatusSkipped;
    DocumentPages m_document;
    QFuture<std::optional<PictureResult>> m_documentRun;  // written aside, for the wizard
    PictureResult m_lastResult;                          // told once the document is
    BatchSummary m_summary;
    Progress m_progress;
    std::function<void()> m_finished;
    QObject *m_context = nullptr;
    bool m_running = false;
    bool m_advancing = false;
    bool m_again = false;
    // Read by the ends of conversions that come after this runner has gone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

#endif
