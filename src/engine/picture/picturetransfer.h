#ifndef PICTURETRANSFER_H
#define PICTURETRANSFER_H

// A decoded picture handed from the decoding helper (kelvarine-decode) to the
// program that started it, through a shared memory file: a small header, then
// the picture as MIFF, which keeps every attribute and profile the encoders use
// later. What MIFF does not carry over (the format the picture was read as, its
// orientation, compression and interlace) travels in the header. A failure
// travels as its message instead. Safe to call from any thread, each call on
// its own file.

#include <QString>

#include <Magick++.h>

#include "engine/result.h"

namespace PictureTransfer {

// Helper side: write into `fd` (empty, open for writing). A failure with the
// library's message, or an empty one when the file could not be written.
Status sendPicture(int fd, Magick::Image &image);
bool sendFailure(int fd, const QString &message);

// Parent side: reads what the helper left in `fd`: the picture, or a failure
// with the helper's message (an empty one when the helper left nothing). The
// declared size is checked against `budget` pixels before any pixel is read; a
// failure says so when it is over, or when the content is no transfer at all.
Result<Magick::Image> receive(int fd, const QString &path, long long budget);

} // namespace PictureTransfer

#endif
