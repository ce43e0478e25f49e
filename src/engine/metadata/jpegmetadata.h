#ifndef JPEGMETADATA_H
#define JPEGMETADATA_H

// The metadata segments of a JPEG file, rewritten without touching a byte of
// its coded picture: used on what the encoder wrote and on copies whose
// metadata must go. Kept: the JFIF header, the colour profile, Adobe's colour
// transform (CMYK files need it), comments unless asked otherwise, and every
// table, frame and scan. Replaced: EXIF, XMP (standard and extended) and the
// IPTC block. Dropped: other programs' application segments (a multi-picture
// index, vendor blocks, provenance manifests) and anything after the end of
// the picture (the further pictures such an index points to), since they can
// carry the metadata of their own that was to be removed.
//
// XMP larger than one segment is written as Adobe's extended XMP: the standard
// packet keeps what fits and names, by the MD5 of the rest, the extension
// segments that carry it.
//
// Safe to call from any thread.

#include <QByteArray>
#include <QList>

namespace JpegMetadata {

struct Blocks
{
    QByteArray exif;        // TIFF structure, without the "Exif\0\0" header
    QByteArray xmp;         // a standard packet: one segment's worth at most
    QByteArray xmpExtended; // the rest, serialized without a packet wrapper
    QByteArray iptc;        // a Photoshop resource block
};

// Room for XMP in the standard segment.
constexpr qsizetype maxStandardXmp = 65504;

// Whether the bytes start as a JPEG file.
bool isJpeg(const QByteArray &bytes);

// The file with its metadata segments replaced by `blocks`; comments dropped
// unless `keepComments`. Empty when the bytes are no complete JPEG.
QByteArray rewrite(const QByteArray &jpeg, const Blocks &blocks, bool keepComments);

// The APP1 segments (marker included) of an XMP packet that fits one segment,
// or of a standard packet and its extension.
QList<QByteArray> xmpSegments(const QByteArray &standard, const QByteArray &extended);

// "<32 hex digits>": what the standard packet names its extension by.
QByteArray extensionGuid(const QByteArray &extended);

// A standard packet that holds nothing but the name of its extension.
QByteArray extensionStub(const QByteArray &guid);

} // namespace JpegMetadata

#endif
