#include "engine/batch/converter.h"

Converter::Converter(QObject *parent)
    : QThread(parent)
{
    connect(this, &QThread::finished, this, &Converter::conversionCompleted);
}

Converter::~Converter()
{
    stop();
    {
        // A run about to ask a question nobody will answer any more must not keep
        // the program from ending: it is told Abort.
        QMutexLocker lock(&answerLock);
        closing = true;
        answerReady.wakeAll();
    }
    wait();
}

void Converter::setBatch(const QList<PictureEntry> &pictures, const ConversionJob &job)
{
    planner = BatchPlanner(pictures, job);
    reset();
}

void Converter::reset()
{
    pages.clear();
    pageSources.clear();
    plan = PicturePlan();
}

void Converter::setYesToAll(bool yes)
{
    planner.setYesToAll(yes);
}

void Converter::setJob(int pictureIndex)
{
    this->pictureIndex = pictureIndex;
}

void Converter::stop()
{
    stopRequested = true;
    // Under the lock, so that a run between its check and its wait still hears it.
    QMutexLocker lock(&answerLock);
    answerReady.wakeAll();
}

void Converter::clearStop()
{
    stopRequested = false;
}

QString Converter::pendingQuestion() const
{
    QMutexLocker lock(&answerLock);
    return asking;
}

void Converter::answerOverwrite(const QString &name, int code)
{
    QMutexLocker lock(&answerLock);
    answerName = name;
    answerCode = overwriteAnswer(code);
    answerGiven = true;
    answerReady.wakeAll();
}

void Converter::conversionCompleted()
{
    emit nextConversion(status);
}

void Converter::run()
{
    runMessages.clear();
    status = StatusSkipped;
    if (pictureIndex >= 0 && pictureIndex < planner.count()) {
        plan = planner.decide(pictureIndex, [this](const QString &target, QString &name) {
            return askOverwrite(target, name);
        });
        // A stop is seen here, once the question is settled; a run past this
        // point finishes normally.
        if (!plan.proceeds())
            report(plan.result());
        else if (stopRequested)
            status = StatusSkipped;
        else if (plan.mode == PictureMode::Copy)
            renameImage();
        else if (plan.mode == PictureMode::Encode)
            runFrame();
        else
            runFrames();

        if (planner.documentDue(pictureIndex, status) && !stopRequested)
            finishDocument();
    }

    // The last picture of a document can fail, and the document after it: the log
    // gets one message per picture, telling both.
    if (!runMessages.isEmpty())
        emit errorMessage(runMessages.join(QLatin1Char('\n')));
}

void Converter::renameImage()
{
    const ConversionJob &job = planner.job();
    if (!plan.cleansCopy) {
        report(plan.settled(PicturePipeline::copyPicture(plan.source, plan.target, job.deleteSource)));
        return;
    }
    QStringList notes;
    const auto output = PicturePipeline::cleanedCopy(plan.source, plan.target, job.output, &notes);
    PictureResult result = PicturePipeline::failed(output.error());
    if (output) {
        result = PicturePipeline::placeOutput(*output.value(), plan.source, job.deleteSource);
        result.notes = notes;
    }
    report(plan.settled(result));
}

void Converter::runFrame()
{
    Result<RenderedPicture> picture = PicturePipeline::render(plan.source, planner.job());
    if (picture)
        writeImage(picture.value(), plan.extension, plan.target);
    else
        report(PicturePipeline::failed(picture.error()));
}

void Converter::runFrames()
{
    Result<RenderedPicture> picture = PicturePipeline::render(plan.source, planner.job());
    const Result<Magick::Image> page = picture ? PicturePipeline::asPage(picture.value(), plan.extension)
                                               : Result<Magick::Image>(Failure{picture.error()});
    PictureResult result = PicturePipeline::failed(page.error());
    if (page) {
        pages.append(page.value());
        pageSources.append(plan.source);
        result = PictureResult{StatusConverted, {}, {}, picture.value().notesOf()};
    }
    report(plan.settled(result));
}

bool Converter::writeImage(RenderedPicture &picture, const QString &extension, const QString &target)
{
    const auto output = PicturePipeline::encode(picture, extension, target, plan.source, planner.job());
    PictureResult result = PicturePipeline::failed(output.error());
    if (output) {
        result = PicturePipeline::placeOutput(*output.value(), plan.source, planner.job().deleteSource);
        result.notes = picture.notesOf();
    }
    report(plan.settled(result));
    return result.status == StatusConverted;
}

void Converter::finishDocument()
{
    // Written from the pages that were made, also when the last picture failed:
    // one bad picture at the end does not cost the whole document.
    if (pages.isEmpty())
        return;
    const PictureResult result = PicturePipeline::placeDocument(
        pages, planner.documentExtension(), planner.documentPath(), pageSources, planner.job().deleteSource);
    pageSources.clear();
    if (result.status != StatusConverted)
        report(result);
}

OverwriteAnswer Converter::askOverwrite(const QString &target, QString &name)
{
    // The lock is held from before the question goes out until the wait releases
    // it, so neither an answer nor a stop can slip in before the worker listens.
    QMutexLocker lock(&answerLock);
    if (closing || stopRequested)
        return OverwriteAbort;
    answerName = name;
    answerGiven = false;
    asking = target;
    emit requestOverwrite(target);
    while (!answerGiven && !closing && !stopRequested)
        answerReady.wait(&answerLock);
    asking.clear();
    if (!answerGiven)
        return OverwriteAbort;
    name = answerName;
    return answerCode;
}

void Converter::report(const PictureResult &result)
{
    status = result.status;
    if (!result.message.isEmpty())
        runMessages.append(result.message);
}
