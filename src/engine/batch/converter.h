#ifndef CONVERTER_H
#define CONVERTER_H

// The wizard's conversion: one picture per run, each run a task of a worker of
// its own, so the window stays responsive. The batch driver gives it the batch,
// then for each picture sets its index, starts the run, and starts the next
// picture only when nextConversion() arrives, so runs never overlap. What happens
// to each picture is decided by the batch's planner; the run asks the owning
// thread before it replaces a file (requestOverwrite, answered by
// answerOverwrite) and waits for the answer, or for a stop.
//
// Threads: the object lives on the GUI thread, and every member but stop(),
// answerOverwrite() and pendingQuestion() (any thread) is called there; setters
// between runs. requestOverwrite is emitted on the worker, the other signals on
// the GUI thread.

#include <QFuture>
#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

#include "engine/batch/batchplanner.h"
#include "engine/batch/overwritewait.h"
#include "engine/batch/worker.h"

class Converter : public QObject
{
    Q_OBJECT

public:
    explicit Converter(QObject *parent = nullptr);
    // Ends a wait for an answer (as Abort) and waits for the run in progress.
    ~Converter() override;

    // Start of a batch: the planner gets the pictures and the job (its own copy),
    // "to all" answers and kept pages are forgotten.
    void setBatch(const QList<PictureEntry> &pictures, const ConversionJob &job);
    void reset();
    void setYesToAll(bool yes);
    // The picture the next run converts, by its index in the batch.
    void setJob(int pictureIndex);

    // Starts the run of the picture set by setJob(); its result arrives as
    // errorMessage (when there is something to tell) and nextConversion.
    void start();
    bool isRunning() const { return m_running; }
    // Waits for the run in progress and delivers its result before returning.
    void wait();

    bool isCopyOnly() const;
    RunStatus runStatus() const { return m_status; }
    QString documentTarget() const;

    // Ends the run in progress at its next step, and a wait for an answer at once
    // (as Abort). It holds until clearStop(), which whoever starts a run calls first.
    void stop();
    void clearStop();
    // The target the run is asking about; empty when no question is open.
    QString pendingQuestion() const;
    void answerOverwrite(const QString &name, int code);

signals:
    // As a run starts, before its first step.
    void started();
    void nextConversion(int status);
    void requestOverwrite(const QString &path);
    void errorMessage(const QString &text);

private:
    // What a run hands back.
    struct Report
    {
        RunStatus status = StatusSkipped;
        QStringList messages;  // sent as one errorMessage
    };
    struct Batch;

    // One run: the picture at `index` decided, converted and put in place, and
    // the document after it when it is due. On the worker.
    static Report convert(Batch &batch, OverwriteWait &question, int index);
    void conversionCompleted();

    // The batch as the runs see it: shared with the run in progress, which alone
    // touches it while it runs.
    std::shared_ptr<Batch> m_batch;
    std::shared_ptr<OverwriteWait> m_question;
    int m_pictureIndex = 0;
    RunStatus m_status = StatusSkipped;
    bool m_running = false;
    QFuture<Report> m_run;
    QFutureWatcher<Report> m_watcher;
    Worker m_worker{1};
};

#endif
