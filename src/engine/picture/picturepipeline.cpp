#include "engine/picture/picturepipeline.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "engine/batch/canceltoken.h"
#include "engine/batch/conversionjob.h"
#include "engine/files/fileattributes.h"
#include "engine/picture/outputimage.h"
#include "engine/batch/outputoptions.h"
#include "engine/picture/picturecodec.h"
#include "engine/files/safefile.h"

namespace {

FILE *openStream(OutputFile &output)
{
    QString reason;
    if (!output.open(&reason))
        throw PictureError(reason);
    FILE *stream = output.stream();
    if (!stream) {
        throw PictureError(QCoreApplication::translate("Converter", "Cannot write %1")
                               .arg(QDir::toNativeSeparators(output.target())));
    }
    return stream;
}

// Before a source goes, its output must be on the disk, not only in the cache.
PictureResult commitOutput(OutputFile &output, bool beforeDeletingSources)
{
    PictureResult result;
    result.target = output.target();
    QString reason;
    if (output.commit(&reason, beforeDeletingSources)) {
        result.status = StatusConverted;
    } else {
        result.status = StatusFailed;
        result.message = PicturePipeline::errorText(reason);
    }
    return result;
}

// Removes the sources of a converted output. One that stays is no clean success:
// the user would find it again and think it was not converted, or lose track of
// which copy is which.
void removeSources(PictureResult &result, const QStringList &sources)
{
    QStringList reasons;
    for (const QString &source : sources) {
        QString reason;
        if (!SafeFile::removeSource(source, result.target, &reason))
            reasons.append(reason);
    }
    if (!reasons.isEmpty()) {
        result.status = StatusFailed;
        result.message = PicturePipeline::errorText(reasons.join(QStringLiteral("; ")));
    }
}

} // namespace

namespace PicturePipeline {

QString errorText(const QString &reason)
{
    return QCoreApplication::translate("Converter", "Error: %1").arg(reason);
}

PictureResult missingSource(const QString &sourcePath)
{
    PictureResult result;
    result.status = StatusFailed;
    result.message = errorText(QCoreApplication::translate("Converter", "%1 does not exist")
                                   .arg(QDir::toNativeSeparators(sourcePath)));
    return result;
}

RenderedPicture render(const QString &sourcePath, const ConversionJob &job)
{
    const OutputOptions &options = job.output;
    RenderedPicture picture{PictureCodec::decode(sourcePath, options.allowDocuments), PictureMetadata(), {}};
    if (!options.stripMetadata)
        picture.metadata = PictureMetadata::read(sourcePath, picture.image);
    const QString profileNote = OutputImage::dropUntrustedProfile(picture.image);
    if (!profileNote.isEmpty())
        picture.notes.append(profileNote);
    // Pixels that come upright from their decoder are shown as they are: their
    // EXIF orientation must be neither applied again nor passed on.
    bool turned = OutputImage::decodedUpright(picture.image);
    if (turned)
        picture.image.orientation(Magick::TopLeftOrientation);
    else
        turned = options.autoOrient && OutputImage::turnUpright(picture.image);
    PictureCodec::applyChain(job.chain, picture.image);
    picture.metadata.adapt(options, picture.image, turned, !job.chain.isEmpty());
    return picture;
}

Magick::Image render(const QString &sourcePath, const QList<ChainEntry> &chain, bool allowDocuments,
                     const CancelToken *token)
{
    Magick::Image image = PictureCodec::decode(sourcePath, allowDocuments);
    if (token)
        token->attach(image);
    PictureCodec::applyChain(chain, image);
    return image;
}

Magick::Image asPage(RenderedPicture &picture, const QString &extension)
{
    OutputImage::fitFormat(picture.image, extension);
    picture.metadata.prepareImage(picture.image, extension);
    return picture.image;
}

PictureResult copyPicture(const QString &sourcePath, const QString &target, bool deleteSource)
{
    PictureResult result;
    result.target = target;
    if (!QFileInfo::exists(sourcePath))
        return missingSource(sourcePath);
    QString reason;
    const bool done = SafeFile::samePath(sourcePath, target)
                      || (deleteSource ? SafeFile::move(sourcePath, target, &reason)
                                       : SafeFile::copy(sourcePath, target, &reason));
    if (done) {
        result.status = StatusConverted;
    } else {
        result.status = StatusFailed;
        result.message = errorText(reason);
    }
    return result;
}

std::unique_ptr<OutputFile> cleanedCopy(const QString &sourcePath, const QString &target,
                                        const OutputOptions &options, QStringList *notes)
{
    QString reason;
    std::unique_ptr<OutputFile> output = SafeFile::copyToOutput(sourcePath, target, &reason);
    if (!output)
        throw PictureError(reason);
    PictureMetadata metadata;
    if (!options.stripMetadata)
        metadata = PictureMetadata::read(sourcePath, Magick::Image());
    metadata.removeAsAsked(options);
    FILE *stream = output->stream();
    if (!stream) {
        throw PictureError(QCoreApplication::translate("Converter", "Cannot write %1")
                               .arg(QDir::toNativeSeparators(target)));
    }
    metadata.writeIntoCopy(stream);
    std::fflush(stream);  // nothing may be written after the time is set
    FileAttributes::takeTimes(sourcePath, output->handle());
    if (notes)
        *notes = metadata.notes();
    return output;
}

std::unique_ptr<OutputFile> encode(RenderedPicture &picture, const QString &extension, const QString &target,
                                   const QString &sourcePath, const ConversionJob &job)
{
    const int quality = job.output.qualityFor(job.quality(), extension);
    OutputImage::fitFormat(picture.image, extension);
    picture.metadata.prepareImage(picture.image, extension);
    auto output = std::make_unique<OutputFile>(target);
    FILE *stream = openStream(*output);
    FileAttributes::takeMode(sourcePath, output->handle());
    PictureCodec::write(picture.image, extension, quality, stream);
    picture.metadata.writeInto(stream, extension);
    if (job.output.keepDate) {
        std::fflush(stream);  // nothing may be written after the time is set
        FileAttributes::takeTimes(sourcePath, output->handle());
    }
    return output;
}

PictureResult placeOutput(OutputFile &output, const QString &sourcePath, bool deleteSource)
{
    PictureResult result = commitOutput(output, deleteSource);
    if (result.status == StatusConverted && deleteSource)
        removeSources(result, {sourcePath});
    return result;
}

PictureResult placeDocument(QList<Magick::Image> &pages, const QString &extension, const QString &documentPath,
                            const QStringList &pageSources, bool deleteSource)
{
    PictureResult result;
    result.target = documentPath;
    OutputFile output(documentPath);
    const bool written = guarded(result, [&] {
        FILE *stream = openStream(output);
        FileAttributes::takeMode(pageSources, output.handle());
        PictureCodec::writeDocument(pages, extension, stream);
    });
    pages.clear();
    if (!written)
        return result;
    result = commitOutput(output, deleteSource);
    if (result.status == StatusConverted && deleteSource)
        removeSources(result, pageSources);
    return result;
}

} // namespace PicturePipeline
