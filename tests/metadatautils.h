#ifndef METADATAUTILS_H
#define METADATAUTILS_H

// Pictures that carry every kind of metadata, and ways to look into outputs
// without the program's own code: Exiv2, exiftool and the bytes themselves.
//
// Every value that tells a place contains "SECRET"; every other value
// "KEPT". An output without the location has no "SECRET" anywhere; a stripped
// one has neither.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <Magick++.h>

namespace MetadataUtils {

// Starts Exiv2 for the test's own reading and writing; call from initTestCase().
void initExiv2();

// EXIF as a camera leaves it, written by hand: the main directory with Make
// and a GPS directory, and a thumbnail whose own directory points to a GPS
// directory of its own (which Exiv2 cannot write).
QByteArray exifWithThumbnailGps();

// A picture in `format` ("JPEG", "PNG", "TIFF", "WEBP", "GIF") with an sRGB
// profile and every kind of field: EXIF (see above; TIFF and WebP without the
// thumbnail's GPS), IPTC, XMP with the IPTC location structures, a drone's
// and a vendor's GPS fields, photoshop and IPTC place names, and a comment
// (in a PNG: text chunks).
void writeTagged(const QString &path, const Magick::Image &image, const QString &format);

// Every metadata value Exiv2 reads from the file, as "key=value" lines.
QStringList exiv2Values(const QString &path);

// exiftool's view of the file: every tag of every group, or empty when
// exiftool is not installed.
QByteArray exiftoolDump(const QString &path);
bool haveExiftool();

// The compressed picture data of a JPEG: from its first scan to its end.
QByteArray jpegScans(const QByteArray &jpeg);
// The APP1 segments' contents of a JPEG whose payload starts with `header`.
QList<QByteArray> jpegApp1(const QByteArray &jpeg, const QByteArray &header);
// The data of all IDAT chunks of a PNG, and the types of all its chunks.
QByteArray pngPixelData(const QByteArray &png);
QStringList pngChunkTypes(const QByteArray &png);

// A JPEG file with an APP2 colour profile segment holding `profile` as it is.
QByteArray withJpegProfile(const QByteArray &jpeg, const QByteArray &profile);

// A photograph as a camera leaves it: EXIF with a location, IPTC, XMP and an
// sRGB profile, stored `orientation` (EXIF values 1 to 8), as JPEG.
void writePhoto(const QString &path, Magick::Image image, int orientation = 1);

// What Exiv2 finds of writePhoto()'s fields in an output.
struct Found
{
    bool exif = false;
    bool gps = false;
    bool iptc = false;
    bool xmp = false;
    bool xmpGps = false;
    bool icc = false;
    long orientation = 0;
    long pixelWidth = 0;
    long pixelHeight = 0;
};
Found readBack(const QString &path);

} // namespace MetadataUtils

#endif
