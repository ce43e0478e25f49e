#include "converter.h"

#include "picturetarget.h"

Converter::Converter(QObject *parent)
    : QThread(parent)
{
    connect(this, &QThread::finished, this, &Converter::conversionCompleted);
}

Converter::~Converter()
{
    stop();
    {
        // A run waiting for a question nobody will answer any more, or about to
        // ask one, must not keep the program from ending: it is told Abort.
        QMutexLocker lock(&answerLock);
        closing = true;
        answerReady.wakeAll();
    }
    wait();
}

void Converter::reset()
{
    yesToAll = false;
    noToAll = false;
    pages.clear();
    pageSources.clear();
    documentPath.clear();
    documentExtension.clear();
    documentDeclined = false;
}

void Converter::setYesToAll(bool yes)
{
    yesToAll = yes;
}

void Converter::setMultiPage(bool multiPage, int pictureCount)
{
    this->multiPage = multiPage;
    this->pictureCount = pictureCount;
}

void Converter::setChain(const QList<ChainEntry> &chain)
{
    this->chain = chain;
}

void Converter::setOutputOptions(const OutputOptions &options)
{
    output = options;
}

void Converter::setJob(const QString &sourcePath, const QString &outputFormat, int quality,
                       const QString &outputDir, int pictureIndex, bool deleteSource)
{
    this->sourcePath = sourcePath;
    this->outputFormat = outputFormat;
    this->quality = quality;
    this->outputDir = outputDir;
    this->pictureIndex = pictureIndex;
    this->deleteSource = deleteSource;
    copyOnly = PictureTarget::copyOnly(chain.isEmpty(), outputFormat, sourcePath);
}

void Converter::stop()
{
    stopRequested = true;
}

void Converter::answerOverwrite(const QString &name, int code)
{
    QMutexLocker lock(&answerLock);
    answerName = name;
    answerCode = code;
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
    if (copyOnly)
        renameImage();
    else if (!multiPage)
        runFrame();
    else
        runFrames();

    // A copied picture can be the last of a multi-page job too; the document
    // made of the others is still owed, unless the user ended the batch here.
    if (multiPage && copyOnly && pictureIndex == pictureCount - 1 && status != StatusAborted)
        finishDocument();

    // The last picture of a document can fail, and the document after it: the log
    // gets one message per picture, telling both.
    if (!runMessages.isEmpty())
        emit errorMessage(runMessages.join(QLatin1Char('\n')));
}

void Converter::renameImage()
{
    stopRequested = false;
    status = StatusSkipped;
    const QString name = nameOrFail();
    if (name.isEmpty())
        return;
    QString target = PictureTarget::copyTarget(outputDir, name);
    if (!checkOverwrite(target) || stopRequested)
        return;
    report(PicturePipeline::copyPicture(sourcePath, target, deleteSource));
}

void Converter::runFrame()
{
    stopRequested = false;
    status = StatusSkipped;
    const QString name = nameOrFail();
    if (name.isEmpty())
        return;
    const QString extension = PictureTarget::extension(outputFormat, name);
    QString target = PictureTarget::encodedTarget(outputDir, name, extension);
    if (!checkOverwrite(target) || stopRequested)
        return;
    PictureResult failure;
    const bool rendered = PicturePipeline::guarded(failure, [&] {
        RenderedPicture picture = PicturePipeline::render(sourcePath, chain, output);
        writeImage(picture, extension, output.qualityFor(quality, extension), target);
    });
    if (!rendered)
        report(failure);
}

void Converter::runFrames()
{
    stopRequested = false;
    status = StatusSkipped;
    // Once the user declined to replace the document, no page is made for it.
    if (documentDeclined)
        return;
    if (documentPath.isEmpty()) {
        // The first picture that becomes a page names the document.
        const QString name = nameOrFail();
        if (name.isEmpty())
            return;
        documentExtension = PictureTarget::extension(outputFormat, name);
        QString target = PictureTarget::encodedTarget(outputDir, name, documentExtension);
        if (!checkOverwrite(target)) {
            documentDeclined = status == StatusSkipped;
            return;
        }
        documentPath = target;
    }
    if (stopRequested)
        return;

    PictureResult failure;
    const bool kept = PicturePipeline::guarded(failure, [&] {
        RenderedPicture picture = PicturePipeline::render(sourcePath, chain, output);
        pages.append(PicturePipeline::asPage(picture, documentExtension));
        pageSources.append(sourcePath);
    });
    if (kept)
        status = StatusConverted;
    else
        report(failure);
    if (pictureIndex == pictureCount - 1)
        finishDocument();
}

bool Converter::writeImage(RenderedPicture &picture, const QString &extension, int quality, const QString &target)
{
    PictureResult result;
    std::unique_ptr<OutputFile> file;
    if (PicturePipeline::guarded(result, [&] {
            file = PicturePipeline::encode(picture, extension, quality, target, sourcePath, output);
        }))
        result = PicturePipeline::placeOutput(*file, sourcePath, deleteSource);
    report(result);
    return result.status == StatusConverted;
}

void Converter::finishDocument()
{
    // Written from the pages that were made, also when the last picture failed:
    // one bad picture at the end does not cost the whole document.
    if (pages.isEmpty() || documentPath.isEmpty())
        return;
    const PictureResult result =
        PicturePipeline::placeDocument(pages, documentExtension, documentPath, pageSources, deleteSource);
    pageSources.clear();
    if (result.status != StatusConverted)
        report(result);
}

bool Converter::checkOverwrite(QString &target)
{
    const OverwriteCheck::Outcome outcome = OverwriteCheck::resolve(
        target, yesToAll, noToAll,
        [this](const QString &path, QString &name) { return askOverwrite(path, name); });
    applyAnswer(outcome);
    return outcome == OverwriteCheck::Proceed;
}

int Converter::askOverwrite(const QString &target, QString &name)
{
    // The lock is held from before the question goes out until the wait releases
    // it, so an answer cannot slip in before the worker listens for it.
    QMutexLocker lock(&answerLock);
    if (closing)
        return OverwriteAbort;
    answerName = name;
    answerGiven = false;
    emit requestOverwrite(target);
    while (!answerGiven && !closing)
        answerReady.wait(&answerLock);
    if (!answerGiven)
        return OverwriteAbort;
    name = answerName;
    return answerCode;
}

void Converter::applyAnswer(OverwriteCheck::Outcome outcome)
{
    if (outcome == OverwriteCheck::Proceed)
        return;
    stop();
    status = outcome == OverwriteCheck::Abort ? StatusAborted : StatusSkipped;
}

void Converter::report(const PictureResult &result)
{
    status = result.status;
    if (!result.message.isEmpty())
        runMessages.append(result.message);
}

QString Converter::nameOrFail()
{
    const QString name = PictureTarget::newFileName(sourcePath, pictureIndex);
    if (name.isEmpty())
        report(PicturePipeline::missingSource(sourcePath));
    return name;
}
