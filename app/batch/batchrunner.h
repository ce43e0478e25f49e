#ifndef BATCHRUNNER_H
#define BATCHRUNNER_H

// Runs a whole batch without a user: several pictures decoded, filtered and
// encoded (or copied) at once on a thread pool, while their outputs are put in
// place one by one in picture order on the calling thread. Every target is named, in picture
// order, before any conversion starts, and the overwrite policy is applied in
// that same order, so the files a batch leaves behind do not depend on how many
// pictures were converted at once. The steps per picture are the wizard's own
// (PicturePipeline); the policy answers the overwrite question.
//
// Threads: construct and run on one thread; run() blocks until the batch ends.

#include <QList>
#include <QString>

#include <atomic>
#include <functional>

#include "conversionjob.h"
#include "overwritecheck.h"
#include "pictureentry.h"
#include "picturepipeline.h"

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

    // Pictures converted at once; the library's own threads are shared out among them.
    void setJobs(int jobs) { m_jobs = std::max(1, jobs); }
    void setOverwritePolicy(OverwritePolicy policy) { m_policy = policy; }
    // Checked between pictures; when it turns true the batch ends as aborted.
    void setInterruptFlag(const std::atomic<bool> *interrupted) { m_interrupted = interrupted; }

    // The output of each picture as things stand before anything is written: its
    // own file, or the multi-page document it becomes a page of. Empty for a
    // picture that cannot be named (its source is missing).
    QStringList targets() const;

    // Called in picture order as each result is settled; index -1 reports the
    // multi-page document, written after the last picture.
    using Progress = std::function<void(int index, const PictureResult &result)>;
    BatchSummary run(const Progress &progress);

private:
    enum class Mode { Copy, Encode, Page };
    struct Plan
    {
        QString source;
        Mode mode = Mode::Encode;
        QString target;     // own output, or the document
        QString extension;  // encoder of Encode and Page
        bool missing = false;
        bool render = true; // false when the result is settled without decoding
    };
    struct Rendered;

    void planAll();
    Rendered renderOne(const Plan &plan) const;
    OverwriteCheck::Outcome resolve(QString &target);

    QList<PictureEntry> m_pictures;
    ConversionJob m_job;
    QList<Plan> m_plans;
    int m_jobs = 1;
    OverwritePolicy m_policy = OverwritePolicy::Skip;
    const std::atomic<bool> *m_interrupted = nullptr;
    bool m_yesToAll = false;
    bool m_noToAll = false;
};

#endif
