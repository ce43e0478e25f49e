#ifndef BATCHRUNNER_H
#define BATCHRUNNER_H

// Runs a whole batch without a user: several pictures decoded, filtered and
// encoded (or copied) at once by a worker, while their outputs are put in
// place one by one in picture order on the calling thread. The planner decides
// every picture, in picture order, before any conversion starts (the policy
// answers the overwrite question, so no decision waits for a conversion): the
// files a batch leaves behind do not depend on how many pictures were converted
// at once, and are those the wizard leaves for the same answers.
//
// Threads: construct and run on one thread; run() blocks until the batch ends.
// The image library's threads per operation are the program's to set, once at
// its start (see ImageLibrary::setThreadLimit): a batch never changes them.

#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

#include "engine/batch/batchplanner.h"
#include "engine/batch/conversionjob.h"
#include "engine/batch/overwritecheck.h"
#include "engine/batch/pictureentry.h"
#include "engine/picture/picturepipeline.h"

enum class OverwritePolicy { Skip, Overwrite, Abort };

struct BatchSummary
{
    int converted = 0;
    int skipped = 0;
    int failed = 0;
    bool aborted = false;
};

class BatchRunner
{
public:
    BatchRunner(const QList<PictureEntry> &pictures, const ConversionJob &job);

    // Pictures converted at once.
    void setJobs(int jobs) { m_jobs = std::max(1, jobs); }
    void setOverwritePolicy(OverwritePolicy policy) { m_policy = policy; }
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

private:
    OverwriteAnswer policyAnswer() const;

    BatchPlanner m_planner;
    std::optional<QList<PicturePlan>> m_given;
    int m_jobs = 1;
    OverwritePolicy m_policy = OverwritePolicy::Skip;
    const std::atomic<bool> *m_interrupted = nullptr;
};

#endif
