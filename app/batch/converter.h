#ifndef CONVERTER_H
#define CONVERTER_H

// The wizard's worker: converts one picture per run on a fresh thread, so the
// window stays responsive. The batch driver sets the job between runs, starts
// the thread, and starts the next picture only when nextConversion() arrives, so
// runs never overlap. The run asks the owning thread before it replaces a file
// (requestOverwrite, answered by answerOverwrite) and waits for the answer.
//
// Threads: the object lives on the GUI thread; only run() and the run slots it
// calls execute on the worker. Setters are for the owning thread between runs;
// stop() and answerOverwrite() may be called at any time.

#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QWaitCondition>

#include <Magick++.h>

#include <atomic>

#include "filterregistry.h"
#include "overwritecheck.h"
#include "picturepipeline.h"

class Converter : public QThread
{
    Q_OBJECT

public:
    explicit Converter(QObject *parent = nullptr);
    ~Converter() override;

    // Start of a batch: forgets "to all" answers, kept pages and a declined document.
    void reset();
    void setYesToAll(bool yes);
    void setMultiPage(bool multiPage, int pictureCount);
    // The batch's own copy of the filter chain, taken at its start, so that the
    // wizard may rebuild its chain for a preview while the batch runs.
    void setChain(const QList<ChainEntry> &chain);
    void setOutputOptions(const OutputOptions &options);
    // outputFormat: format name in lower case, or "original"; quality -1: none.
    void setJob(const QString &sourcePath, const QString &outputFormat, int quality, const QString &outputDir,
                int pictureIndex, bool deleteSource);

    bool isCopyOnly() const { return copyOnly; }
    int runStatus() const { return status; }
    QString documentTarget() const { return documentPath; }

    void stop();
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
    bool writeImage(RenderedPicture &picture, const QString &extension, int quality, const QString &target);
    // The overwrite check: false when the run is to end here (skipped or aborted).
    bool checkOverwrite(QString &target);
    int askOverwrite(const QString &target, QString &name);
    void applyAnswer(OverwriteCheck::Outcome outcome);
    void report(const PictureResult &result);
    QString nameOrFail();
    void finishDocument();

    QString sourcePath;
    QString outputFormat;
    int quality = -1;
    QString outputDir;
    int pictureIndex = 0;
    bool deleteSource = false;
    bool multiPage = false;
    int pictureCount = 0;
    bool copyOnly = false;
    QList<ChainEntry> chain;
    OutputOptions output;

    QString documentPath;
    QString documentExtension;
    bool documentDeclined = false;
    QList<Magick::Image> pages;
    QStringList pageSources;

    QStringList runMessages;  // sent as one errorMessage when the run ends
    std::atomic<int> status{StatusSkipped};
    std::atomic<bool> stopRequested{false};
    bool yesToAll = false;
    bool noToAll = false;

    QString answerName;
    int answerCode = OverwriteYes;
    bool answerGiven = false;
    bool closing = false;
    QMutex answerLock;
    QWaitCondition answerReady;
};

#endif
