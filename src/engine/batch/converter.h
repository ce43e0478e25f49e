#ifndef CONVERTER_H
#define CONVERTER_H

// The wizard's worker: converts one picture per run on a fresh thread, so the
// window stays responsive. The batch driver gives it the batch, then for each
// picture sets its index, starts the thread, and starts the next picture only
// when nextConversion() arrives, so runs never overlap. What happens to each
// picture is decided by the batch's planner; the run asks the owning thread
// before it replaces a file (requestOverwrite, answered by answerOverwrite) and
// waits for the answer, or for a stop.
//
// Threads: the object lives on the GUI thread; only run() and the run slots it
// calls execute on the worker. Setters are for the owning thread between runs;
// stop(), answerOverwrite() and pendingQuestion() may be called at any time.

#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QWaitCondition>

#include <Magick++.h>

#include <atomic>

#include "engine/batch/batchplanner.h"
#include "engine/batch/overwritecheck.h"
#include "engine/picture/picturepipeline.h"

class Converter : public QThread
{
    Q_OBJECT

public:
    explicit Converter(QObject *parent = nullptr);
    ~Converter() override;

    // Start of a batch: the planner gets the pictures and the job (its own copy),
    // "to all" answers and kept pages are forgotten.
    void setBatch(const QList<PictureEntry> &pictures, const ConversionJob &job);
    void reset();
    void setYesToAll(bool yes);
    // The picture the next run converts, by its index in the batch.
    void setJob(int pictureIndex);

    bool isCopyOnly() const { return plan.mode == PictureMode::Copy; }
    RunStatus runStatus() const { return status; }
    QString documentTarget() const { return planner.documentPath(); }

    // Ends the run in progress at its next step, and a wait for an answer at once
    // (as Abort). It holds until clearStop(), which whoever starts a run calls first.
    void stop();
    void clearStop();
    // The target the run is asking about; empty when no question is open.
    QString pendingQuestion() const;
    void answerOverwrite(const QString &name, int code);

signals:
    void nextConversion(int status);
    void requestOverwrite(const QString &path);
    void errorMessage(const QString &text);

public slots:
    void conversionCompleted();
    void runFrames();
    void runFrame();
    void renameImage();

protected:
    void run() override;

private:
    // Encodes the picture at the job's quality and puts it in place.
    bool writeImage(RenderedPicture &picture, const QString &extension, const QString &target);
    OverwriteAnswer askOverwrite(const QString &target, QString &name);
    void report(const PictureResult &result);
    void finishDocument();

    BatchPlanner planner;
    int pictureIndex = 0;
    PicturePlan plan;

    QList<Magick::Image> pages;
    QStringList pageSources;

    QStringList runMessages;  // sent as one errorMessage when the run ends
    std::atomic<RunStatus> status{StatusSkipped};
    std::atomic<bool> stopRequested{false};

    QString answerName;
    OverwriteAnswer answerCode = OverwriteYes;
    QString asking;
    bool answerGiven = false;
    bool closing = false;
    mutable QMutex answerLock;
    QWaitCondition answerReady;
};

#endif
