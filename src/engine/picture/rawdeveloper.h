#ifndef RAWDEVELOPER_H
#define RAWDEVELOPER_H

// Camera raw files are TIFF inside, and read as TIFF give a preview at best. The
// raw helper program, dcraw, develops them, with the settings the image
// library's own delegate uses, but given the path as an argument rather than as
// a name to parse, and only once the size it tells is within the budget:
// developing is what takes the memory and the time.
//
// dcraw runs in a process group of its own that ends with its parent, and gets
// the time one picture may take (see SandboxDecoder::timeLimit) less a moment
// for telling why: after that its whole group is stopped and the picture fails
// with a message. Safe to call from any thread.

#include <QString>

#include <Magick++.h>

#include "engine/result.h"

namespace RawDeveloper {

// Develops the raw picture at `path` into `image`. False when dcraw is not
// installed or finds no raw picture in the file, which is then read for what
// its content is; a failure when the picture is over the budget or dcraw did
// not finish in time.
Result<bool> develop(const QString &path, Magick::Image &image);

// How long dcraw may take for one picture, in milliseconds.
int timeLimitMs();

} // namespace RawDeveloper

#endif
