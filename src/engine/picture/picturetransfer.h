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

namespace PictureTransfer {

// Helper side: write into `fd` (empty, open for writing). False when the file
// could not be written.
bool sendPicture(int fd, Magick::Image &image);
bool sendFailure(int fd, const QString &message);

// Parent side: reads what the helper left in `fd`. Returns true with the picture
// in `image`, or false with the helper's message in `failure` (empty when the
// helper left nothing). The declared size is checked against `budget` pixels
// before any pixel is read; throws PictureError when it is over, or when the
// content is not a transfer at all.
bool receive(int fd, const QString &path, long long budget, Magick::Image *image, QString *failure);

} // namespace PictureTransfer

#endif
