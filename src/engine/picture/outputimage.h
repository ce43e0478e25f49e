#ifndef OUTPUTIMAGE_H
#define OUTPUTIMAGE_H

// Steps on a decoded picture that depend on how it is seen and where it goes,
// rather than on the filter chain: turning it upright, and making its colours,
// transparency and compression fit the output format. Safe to call from any
// thread, each on its own image.

#include <QString>
#include <QStringList>

#include <Magick++.h>

namespace OutputImage {

// Turns the pixels upright by the orientation the decoder read (EXIF, TIFF) and
// marks the picture upright. True when the pixels were turned or mirrored.
bool turnUpright(Magick::Image &image);

// Whether the picture came from a decoder that already turned it as it is to
// be seen (HEIF and AVIF by their own transforms, JPEG XL by its orientation,
// camera raw files by their helper program);
// the EXIF orientation such files also carry no longer applies to the pixels.
bool decodedUpright(const Magick::Image &image);

// Fits the picture to the encoder `extension`: a CMYK picture becomes sRGB
// where the format holds no CMYK, through its colour profile when it has one,
// by the library's own conversion otherwise;
// transparent areas are laid on white where the format holds no transparency;
// TIFF is compressed losslessly whatever the source's compression was.
void fitFormat(Magick::Image &image, const QString &extension);

// Takes off a colour profile that cannot be trusted: one whose header tells
// another size than it has, one too large for any real profile, one lcms cannot
// read, and one made for other pixels than the picture's (a CMYK profile on RGB
// pixels, an RGB or grey one on CMYK pixels). The picture goes on without it;
// the returned note says why, empty when the profile stays.
QString dropUntrustedProfile(Magick::Image &image);

// The largest colour profile taken: the largest real ones are a few megabytes.
constexpr size_t maxProfileBytes = 16 << 20;

// The sRGB colour profile pictures are converted into, made once.
const Magick::Blob &srgbProfile();

} // namespace OutputImage

#endif
