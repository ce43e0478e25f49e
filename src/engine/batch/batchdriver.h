#ifndef BATCHDRIVER_H
#define BATCHDRIVER_H

// Runs a batch in the wizard on the batch runner kelvarine-batch uses: several
// pictures converted at once, their results logged in picture order. It shows
// nothing itself; the process dialog follows its signals, and the overwrite
// question goes to the one callback the wizard sets (it answers with the
// overwrite dialog), on the GUI thread, one question at a time in picture order.
//
// Threads: lives on the GUI thread; every call and signal stays there.

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

#include "engine/batch/batchrunner.h"
#include "engine/batch/conversionjob.h"
#include "engine/batch/overwritecheck.h"
#include "engine/batch/pictureentry.h"

class BatchDriver : public QObject
{
    Q_OBJECT

public:
    explicit BatchDriver(QObject *parent = nullptr);
    ~BatchDriver() override;

    // Without a question every existing target is skipped, as if answered "No".
    void setOverwriteQuestion(OverwriteQuestion question) { m_question = std::move(question); }
    // Pictures converted at once; the cores by default.
    void setJobs(int jobs) { m_jobs = std::max(1, jobs); }

    // Starts a batch; one still running is stopped first (its picture in
    // progress logged as aborted). False when there is nothing to do.
    bool startProcessing(const QList<PictureEntry> &pictures, const ConversionJob &job);
    bool isRunning() const { return m_runner && m_runner->isRunning(); }
    // How the last batch went so far.
    BatchSummary summary() const { return m_runner ? m_runner->summary() : BatchSummary(); }

signals:
    void statusMessage(const QString &text, int timeoutMs);  // 0: until replaced
    void logStarted(int pictureCount, int filterCount);
    void resultLogged(RunStatus status, const QString &path);
    void lastError(const QString &text);
    // The batch ended with an Abort answer: the process dialog closes.
    void batchAborted();
    void batchFinished();

public slots:
    void errorMessage(const QString &text);
    void stopProcess();

private:
    void report(int index, const PictureResult &result);
    void log(int index, RunStatus status, const QStringList &messages);
    void ended();
    void retire();

    OverwriteQuestion m_question;
    int m_jobs;
    std::unique_ptr<BatchRunner> m_runner;
    // Runners of earlier batches, gone once the event loop is back: one may be
    // the caller of the signal that started the next batch.
    std::vector<std::unique_ptr<BatchRunner>> m_retired;
    QList<PictureEntry> m_pictures;
    // The last picture waits for the document after it: both are one entry.
    int m_heldIndex = -1;
    PictureResult m_held;
};

#endif
