#ifndef PICTUREPIPELINE_H
#define PICTUREPIPELINE_H

// The steps every picture of a batch goes through, shared by the wizard's
// Converter thread (one picture at a time, asking before it overwrites) and the
// batch runner (several at once, answering from its policy). Names and the
// overwrite question belong to BatchPlanner; what is here reads,
// filters, encodes and puts outputs in place; a step that fails gives back its
// message, and failed() makes that the picture's result. Safe to call from any
// thread.

#include <QList>
#include <QString>
#include <QStringList>

#include <Magick++.h>

#include <memory>

#include "engine/filters/filterregistry.h"
#include "engine/files/outputfile.h"
#include "engine/metadata/picturemetadata.h"
#include "engine/result.h"

// Result of one picture, as the processing log counts it.
enum RunStatus : int {
    StatusConverted = 1,  // written (copied, moved, encoded, or kept as a page)
    StatusSkipped = 2,    // nothing written, as asked
    StatusFailed = -1,    // could not be read, filtered, encoded or written
    StatusAborted = 3     // the user ended the batch at this picture
};

struct PictureResult
{
    RunStatus status = StatusSkipped;
    QString message;  // "Error: ..." for a failure
    QString target;   // where the output went, or would have gone
    QStringList notes;  // told beside a success: what was left out of the output, and why
};

class CancelToken;
struct ConversionJob;

// A decoded, filtered picture with the metadata that goes along with it.
struct RenderedPicture
{
    Magick::Image image;
    PictureMetadata metadata;
    QStringList notes;  // about the picture itself; see notesOf()

    // Everything to tell beside the picture's success.
    QStringList notesOf() const { return notes + metadata.notes(); }
};

struct OutputOptions;

namespace PicturePipeline {

// "Error: %1" as the processing log shows it.
QString errorText(const QString &reason);

// The result of a picture that failed for `reason`.
PictureResult failed(const QString &reason);

// A source that is gone when its turn comes fails, naming the file.
PictureResult missingSource(const QString &sourcePath);

// Decodes the source, turns it upright when the job asks, and runs the job's
// chain on it; its metadata is read and adapted to the result and the options.
Result<RenderedPicture> render(const QString &sourcePath, const ConversionJob &job);
// Decodes the source and runs the chain on it, nothing more (a preview).
// Documents are decoded when `allowDocuments` says so; with a token, the chain
// stops at the library's next progress report once the token is cancelled.
Result<Magick::Image> render(const QString &sourcePath, const QList<ChainEntry> &chain, bool allowDocuments = false,
                             const CancelToken *token = nullptr);

// The picture made fit to be a page of a document written with `extension`.
Result<Magick::Image> asPage(RenderedPicture &picture, const QString &extension);

// Copy mode: the source put under the target name without being decoded, moved
// when `deleteSource` is set. A target that is the source itself is left alone.
PictureResult copyPicture(const QString &sourcePath, const QString &target, bool deleteSource);

// Copy mode when metadata must go (see PictureTarget::cleansCopy): a copy of the
// source for the target, not yet in its place, its metadata removed as
// `options` ask and its pixel data as it was, with the source's permissions and
// date; what was left out beyond that goes to `notes`. A failure says why it
// cannot be made.
Result<std::unique_ptr<OutputFile>> cleanedCopy(const QString &sourcePath, const QString &target,
                                        const OutputOptions &options, QStringList *notes);

// Encodes the picture with the encoder `extension` into a new output for the
// target, not yet in its place: at the job's quality, with its metadata, the
// source's permission bits and, when the job asks, the source's modification
// time. A failure with the library's message, or saying why the file cannot be
// made.
Result<std::unique_ptr<OutputFile>> encode(RenderedPicture &picture, const QString &extension, const QString &target,
                                   const QString &sourcePath, const ConversionJob &job);

// Puts an encoded output in place and then, when `deleteSource` is set, removes
// the source, unless the output is the source. A source that cannot be removed
// makes the result a failure whose message says the output was written.
PictureResult placeOutput(OutputFile &output, const QString &sourcePath, bool deleteSource);

// Writes the pages, in order, as one document and then, when `deleteSource` is
// set, removes their sources, except one that is the document itself (failing
// as placeOutput does for one that stays). The pages are given up: the list is
// empty afterwards.
PictureResult placeDocument(QList<Magick::Image> &pages, const QString &extension, const QString &documentPath,
                            const QStringList &pageSources, bool deleteSource);

} // namespace PicturePipeline

#endif
