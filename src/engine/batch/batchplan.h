#ifndef BATCHPLAN_H
#define BATCHPLAN_H

// A batch decided once and written down, so that several runs can each convert
// a share of it and still leave what one run would: every picture's source,
// target, mode and decision (skip, abort, failure, with its message), the
// number that kept its name apart from another and its counter value. What
// depends on the folder before the batch (files in the way, the overwrite
// policy's answer) is in the plan, so runs that start later, when other shares
// have already written their files, decide nothing anew.
//
// The file is JSON (see the manual, kelvarine_batch.htm). It is read as hostile
// input: it must be of a known version, belong to the very job it is given with,
// and name only targets inside that job's output folder, each once.
//
// Threads: plain values; reading and writing touch only the given file.

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include "engine/batch/batchplanner.h"
#include "engine/batch/conversionjob.h"
#include "engine/batch/pictureentry.h"
#include "engine/result.h"

class BatchPlan
{
    Q_DECLARE_TR_FUNCTIONS(BatchPlan)

public:
    static constexpr int currentVersion = 1;

    BatchPlan() = default;
    // The decisions of a planner run, in picture order; they end at an abort.
    BatchPlan(const BatchPlanner &planner, const QList<PicturePlan> &plans, const QString &policy);

    const QList<PicturePlan> &plans() const { return m_plans; }

    // What names a job: its pictures, folder, format, naming, chain, options and
    // overwrite policy; not how many pictures are converted at once.
    static QString jobKey(const QList<PictureEntry> &pictures, const ConversionJob &job, const QString &policy);

    QByteArray toJson() const;
    Status write(const QString &path) const;

    // The plan in `data` for the job `planner` holds, run with `policy`. The
    // pictures of `share` are drafted again, to find a plan whose mode or
    // encoder the job would not choose.
    static Result<BatchPlan> fromJson(const QByteArray &data, const BatchPlanner &planner, const QString &policy,
                                      const QList<int> &share);
    static Result<BatchPlan> read(const QString &path, const BatchPlanner &planner, const QString &policy,
                                  const QList<int> &share);

    // Share `k` of `shares` (1-based) of a batch of `count` pictures: every
    // shares-th picture, starting with picture k-1, so shares stay even when
    // pictures of one kind sit together in the list.
    static QList<int> share(int count, int k, int shares);

private:
    QString m_job;
    QString m_policy;
    QString m_outputFolder;  // empty: each picture's own folder
    int m_pictureCount = 0;
    QList<PicturePlan> m_plans;
    QList<std::optional<qint32>> m_counters;
};

#endif
