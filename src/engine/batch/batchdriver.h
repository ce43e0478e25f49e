#ifndef BATCHDRIVER_H
#define BATCHDRIVER_H

// Runs a batch in the wizard: one Converter run per picture, in order, the next
// started only when the previous one has reported. It shows nothing itself; the
// process dialog follows its signals, and the overwrite question goes to the one
// callback the wizard sets (it answers with the overwrite dialog).
//
// Threads: lives on the GUI thread; every call and signal stays there.

#include <QList>
#include <QObject>
#include <QString>

#include "engine/batch/conversionjob.h"
#include "engine/batch/converter.h"
#include "engine/batch/overwritecheck.h"
#include "engine/batch/pictureentry.h"

class BatchDriver : public QObject
{
    Q_OBJECT

public:
    explicit BatchDriver(QObject *parent = nullptr);

    // Without a question every existing target is skipped, as if answered "No".
    void setOverwriteQuestion(OverwriteQuestion question) { m_question = std::move(question); }

    // Starts a batch; a run of the previous batch that is still finishing is
    // stopped, waited for and its result logged first. False when there is
    // nothing to do.
    bool startProcessing(const QList<PictureEntry> &pictures, const ConversionJob &job);
    bool isRunning() const { return m_running; }
    int processIndex() const { return m_processIndex; }

    Converter &converter() { return m_converter; }

signals:
    void statusMessage(const QString &text, int timeoutMs);  // 0: until replaced
    void logStarted(int pictureCount, int filterCount);
    void resultLogged(RunStatus status, const QString &path);
    void lastError(const QString &text);
    // The batch ended with an Abort answer: the process dialog closes.
    void batchAborted();
    void batchFinished();

public slots:
    void nextConversion(int status);
    void overwriteDialog(const QString &newPath);
    void errorMessage(const QString &text);
    void stopProcess();

private:
    void processNext();

    Converter m_converter;
    OverwriteQuestion m_question;
    QList<PictureEntry> m_pictures;
    int m_processIndex = 0;
    bool m_aborted = false;
    bool m_running = false;
    bool m_runPending = false;
};

#endif
