#ifndef PICTUREWORK_H
#define PICTUREWORK_H

// The work on one picture of a batch, in two halves: the slow half on a worker
// (decoded, filtered and encoded into an output that is not yet in place, or made
// a page; a copy cleaned or made beside its target), and the half that puts it in
// place, in picture order on the owner's thread. The wizard's Converter runs both
// halves for one picture at a time, kelvarine-batch's runner the first half for
// several pictures at once: the files a batch leaves behind are the same either way.
//
// Threads: prepare() from any thread, on its own copies; place() and
// copyInTurn() in picture order, from one thread at a time.

#include <QStringList>

#include <Magick++.h>

#include <memory>

#include "engine/batch/batchplanner.h"
#include "engine/batch/conversionjob.h"
#include "engine/batch/documentpages.h"
#include "engine/files/outputfile.h"
#include "engine/picture/picturepipeline.h"

// What the slow half made of a picture.
struct PreparedPicture
{
    bool ok = false;
    PictureResult failure;
    std::shared_ptr<OutputFile> output;  // Encode and Copy: written, not yet in place
    Magick::Image page;                  // Page
    QStringList notes;                   // to tell beside its success
};

namespace PictureWork {

// A plain copy that has to wait for its turn: it moves the source, or is the
// source itself, so it is done whole by copyInTurn().
bool waitsForItsTurn(const PicturePlan &plan, bool deleteSource);

// The slow half of a plan that proceeds (not one that waits for its turn).
PreparedPicture prepare(const PicturePlan &plan, const ConversionJob &job);

// The picture's result once its output is put in place, or its page kept for the
// document.
PictureResult place(const PicturePlan &plan, const PreparedPicture &prepared, bool deleteSource,
                    DocumentPages &document);

// A plain copy made, or the source moved, in its turn, without decoding.
PictureResult copyInTurn(const PicturePlan &plan, bool deleteSource);

} // namespace PictureWork

#endif
