#ifndef WATERMARKLAYER_H
#define WATERMARKLAYER_H

// The watermark as a picture of its own (text drawn on transparency, or the
// logo scaled), faded to its opacity and placed over the photograph. All of it
// works on its arguments only: safe from any thread.

#include <QPoint>
#include <QSize>
#include <QString>

#include <Magick++.h>

#include "filterparams.h"

namespace WatermarkLayer {

// Limits on the logo file, which is read in-process: a watermark is small, and
// a file beyond these is no logo (or a hostile one).
constexpr qint64 maxLogoBytes = 20 * 1024 * 1024;
constexpr qint64 maxLogoPixels = 4096LL * 4096;

// The text's lines drawn in the record's font, size and colour on a
// transparent picture no larger than `picture`; an empty image when there is
// nothing to draw.
Magick::Image text(const WatermarkParams &p, const QSize &picture);

// The PNG at `path` scaled to `scale` percent of the picture's width, kept
// within the picture. Throws std::runtime_error with the message for the user
// when the file is missing, unreadable, too large or not a PNG.
Magick::Image logo(const QString &path, unsigned scale, const QSize &picture);

// Makes every pixel of `layer` `opacity` percent as opaque as it was.
void fade(Magick::Image &layer, unsigned opacity);

// Where the layer's top left corner goes: `position` 0..8 counts the nine
// places row by row from the top left (anything else: bottom right), `margin`
// pixels from the edges it is near.
QPoint placement(int position, int margin, const QSize &picture, const QSize &layer);

// The font file the system uses for `family` (its nearest match); empty when
// the system has no font at all.
QString fontFile(const QString &family);

} // namespace WatermarkLayer

#endif
