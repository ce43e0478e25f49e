#ifndef PNGCHUNKS_H
#define PNGCHUNKS_H

// The metadata chunks of a PNG file, changed without touching its pixel data.
// Safe to call from any thread.

#include <QByteArray>

namespace PngChunks {

bool isPng(const QByteArray &bytes);

// The file with an eXIf chunk holding `exif` (a TIFF structure) before the
// pixels, where PNG readers look for it; unchanged when it is no PNG.
QByteArray withExif(const QByteArray &png, const QByteArray &exif);

// The file without its metadata: eXIf and the text chunks that carry EXIF, IPTC
// or XMP, and with `allText` every text chunk and the time stamp as well.
QByteArray withoutMetadata(const QByteArray &png, bool allText);

// The file with every metadata chunk placed before the pixels, where every
// reader looks (Exiv2 appends its chunks after them).
QByteArray metadataFirst(const QByteArray &png);

} // namespace PngChunks

#endif
