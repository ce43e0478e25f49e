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
#include "engine/runtime/imagelibrary.h"

namespace {

Result<FILE *> openStream(OutputFile &output)
{
    const Status opened = output.open();
    if (!opened)
        return Failure{opened.error()};
    FILE *stream = output.stream();
    if (!stream)
        return Failure{QCoreApplication::translate("Converter", "Cannot write %1").arg(QDir::toNativeSeparators(output.target()))};
    return stream;
}

// Before a source goes, its output must be on the disk, not only in the cache.
PictureResult commitOutput(OutputFile &output, bool beforeDeletingSources)
{
    const Status committed = output.commit(beforeDeletingSources);
    PictureResult result = committed ? PictureResult{StatusConverted, {}, {}, {}} : PicturePipeline::failed(committed.error());
    result.target = output.target();
    return result;
}

// Removes the sources of a converted output. One that stays is no clean success:
// the user would find it again and think it was not converted, or lose track of
// which copy is which.
void removeSources(PictureResult &result, const QStringList &sources)
{
    QStringList reasons;
    for (const QString &source : sources) {
        const Status removed = SafeFile::removeSource(source, result.target);
        if (!removed)
            reasons.append(removed.error());
    }
    if (!reasons.isEmpty()) {
        result.status = StatusFailed;
        result.message = PicturePipeline::errorText(reasons.join(QStringLiteral("; ")));
    }
}

// The picture decoded into `image`, which then holds its only reference: the
// changes after it copy no pixels. It comes as large as `chain` needs it.
Status decodeInto(Magick::Image &image, const QString &path, bool allowDocuments, const QList<ChainEntry> &chain)
{
    const Result<Magick::Image> decoded = PictureCodec::decode(path, allowDocuments, DecodeSize::forChain(chain));
    if (!decoded)
        return Failure{decoded.error()};
    image = decoded.value();
    return {};
}

// Turns the decoded picture upright as it should be shown; true when it was turned.
bool upright(Magick::Image &image, bool autoOrient)
{
    // Pixels that come upright from their decoder are shown as they are: their
    // EXIF orientation must be neither applied again nor passed on.
    if (OutputImage::decodedUpright(image)) {
        image.orientation(Magick::TopLeftOrientation);
        return true;
    }
    return autoOrient && OutputImage::turnUpright(image);
}

// The picture made fit for the encoder `extension`, with the metadata it writes.
Status prepare(RenderedPicture &picture, const QString &extension)
{
    const Status fitted = ImageLibrary::call([&] { OutputImage::fitFormat(picture.image, extension); });
    return fitted ? picture.metadata.prepareImage(picture.image, extension) : fitted;
}

} // namespace

namespace PicturePipeline {

QString errorText(const QString &reason)
{
    return QCoreApplication::translate("Converter", "Error: %1").arg(reason);
}

PictureResult failed(const QString &reason)
{
    PictureResult result;
    result.status = StatusFailed;
    result.message = errorText(reason);
    return result;
}

PictureResult missingSource(const QString &sourcePath)
{
    return failed(QCoreApplication::translate("Converter", "%1 does not exist").arg(QDir::toNativeSeparators(sourcePath)));
}

static Result<RenderedPicture> renderPicture(const QString &sourcePath, const ConversionJob &job)
{
    const OutputOptions &options = job.output;
    RenderedPicture picture;
    const Status decoded = decodeInto(picture.image, sourcePath, options.allowDocuments, job.chain);
    if (!decoded)
        return Failure{decoded.error()};
    if (!options.stripMetadata)
        picture.metadata = PictureMetadata::read(sourcePath, picture.image);
    const Result<bool> turned = ImageLibrary::call([&] {
        const QString profileNote = OutputImage::dropUntrustedProfile(picture.image);
        if (!profileNote.isEmpty())
            picture.notes.append(profileNote);
        return upright(picture.image, options.autoOrient);
    });
    if (!turned)
        return Failure{turned.error()};
    const Status filtered = PictureCodec::applyChain(job.chain, picture.image);
    if (!filtered)
        return Failure{filtered.error()};
    picture.metadata.adapt(options, picture.image, turned.value(), !job.chain.isEmpty());
    return picture;
}

// Each step of a picture as a whole goes through ImageLibrary::call as well:
// memory that runs out, or metadata Exiv2 cannot change, fails that one
// picture with the reason, never the batch.
Result<RenderedPicture> render(const QString &sourcePath, const ConversionJob &job)
{
    return ImageLibrary::call([&] { return renderPicture(sourcePath, job); });
}

Result<Magick::Image> render(const QString &sourcePath, const QList<ChainEntry> &chain, bool allowDocuments,
                             const CancelToken *token)
{
    Magick::Image image;
    const Status decoded = decodeInto(image, sourcePath, allowDocuments, chain);
    if (!decoded)
        return Failure{decoded.error()};
    if (token)
        token->attach(image);
    const Status filtered = PictureCodec::applyChain(chain, image);
    if (!filtered)
        return Failure{filtered.error()};
    return image;
}

Result<Magick::Image> asPage(RenderedPicture &picture, const QString &extension)
{
    const Status prepared = prepare(picture, extension);
    if (!prepared)
        return Failure{prepared.error()};
    return picture.image;
}

PictureResult copyPicture(const QString &sourcePath, const QString &target, bool deleteSource)
{
    if (!QFileInfo::exists(sourcePath))
        return missingSource(sourcePath);
    Status done;
    if (!SafeFile::samePath(sourcePath, target))
        done = deleteSource ? SafeFile::move(sourcePath, target) : SafeFile::copy(sourcePath, target);
    PictureResult result = done ? PictureResult{StatusConverted, {}, {}, {}} : failed(done.error());
    result.target = target;
    return result;
}

static Result<std::unique_ptr<OutputFile>> cleanCopy(const QString &sourcePath, const QString &target,
                                                     const OutputOptions &options, QStringList *notes)
{
    Result<std::unique_ptr<OutputFile>> output = SafeFile::copyToOutput(sourcePath, target);
    if (!output)
        return output;
    PictureMetadata metadata;
    if (!options.stripMetadata)
        metadata = PictureMetadata::read(sourcePath, Magick::Image());
    metadata.removeAsAsked(options);
    FILE *stream = output.value()->stream();
    if (!stream)
        return Failure{QCoreApplication::translate("Converter", "Cannot write %1").arg(QDir::toNativeSeparators(target))};
    const Status cleaned = metadata.writeIntoCopy(stream);
    if (!cleaned)
        return Failure{cleaned.error()};
    std::fflush(stream);  // nothing may be written after the time is set
    FileAttributes::takeTimes(sourcePath, output.value()->handle());
    if (notes)
        *notes = metadata.notes();
    return output;
}

Result<std::unique_ptr<OutputFile>> cleanedCopy(const QString &sourcePath, const QString &target,
                                                const OutputOptions &options, QStringList *notes)
{
    return ImageLibrary::call([&] { return cleanCopy(sourcePath, target, options, notes); });
}

static Result<std::unique_ptr<OutputFile>> encodePicture(RenderedPicture &picture, const QString &extension,
                                                         const QString &target, const QString &sourcePath,
                                                         const ConversionJob &job)
{
    const int quality = job.output.qualityFor(job.quality(), extension);
    const Status prepared = prepare(picture, extension);
    if (!prepared)
        return Failure{prepared.error()};
    auto output = std::make_unique<OutputFile>(target);
    const Result<FILE *> stream = openStream(*output);
    if (!stream)
        return Failure{stream.error()};
    FileAttributes::takeMode(sourcePath, output->handle());
    Status written = PictureCodec::write(picture.image, extension, quality, stream.value());
    if (written)
        written = picture.metadata.writeInto(stream.value(), extension);
    if (!written)
        return Failure{written.error()};
    if (job.output.keepDate) {
        std::fflush(stream.value());  // nothing may be written after the time is set
        FileAttributes::takeTimes(sourcePath, output->handle());
    }
    return output;
}

Result<std::unique_ptr<OutputFile>> encode(RenderedPicture &picture, const QString &extension, const QString &target,
                                           const QString &sourcePath, const ConversionJob &job)
{
    return ImageLibrary::call([&] { return encodePicture(picture, extension, target, sourcePath, job); });
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
    OutputFile output(documentPath);
    Result<FILE *> stream = openStream(output);
    Status written = stream ? Status() : Failure{stream.error()};
    if (written) {
        FileAttributes::takeMode(pageSources, output.handle());
        written = PictureCodec::writeDocument(pages, extension, stream.value());
    }
    pages.clear();
    if (!written) {
        PictureResult result = failed(written.error());
        result.target = documentPath;
        return result;
    }
    PictureResult result = commitOutput(output, deleteSource);
    if (result.status == StatusConverted && deleteSource)
        removeSources(result, pageSources);
    return result;
}

} // namespace PicturePipeline
