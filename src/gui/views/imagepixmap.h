#ifndef IMAGEPIXMAP_H
#define IMAGEPIXMAP_H

// Pictures decoded by the image library, handed to the toolkit for display.
// The samples go across raw, 8 bits each, in the toolkit's own pixel layout, so
// every picture the library reads
// (PSD, CMYK or 16-bit TIFF, camera raw) shows and nothing is encoded on the way.
//
// Threads: imageToImage is safe from any worker (QImage is not tied to the GUI
// thread); imageToPixmap only on the GUI thread, as QPixmap is.

#include <QImage>
#include <QPixmap>

#include <Magick++.h>

// An empty QImage for an empty or invalid picture, or when the library fails.
QImage imageToImage(const Magick::Image &image);
QPixmap imageToPixmap(const Magick::Image &image);

#endif
