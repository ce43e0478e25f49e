#ifndef PICTUREFACTS_H
#define PICTUREFACTS_H

// What a photographer wants to know about a picture before converting it: its
// pixel size, when it was taken, with which camera and settings, and how large
// the file is. Read from the file's header and its EXIF alone: no pixel is
// decoded, so a list of thousands of photographs can show them. A fact the
// picture does not tell (or tells in a damaged form) stays empty.
//
// Threads: read() is safe from any worker; the Exiv2 part takes its turn with
// every other metadata work (lockExiv2).

#include <QByteArray>
#include <QDateTime>
#include <QSize>
#include <QString>

struct PictureFacts
{
    qint64 fileSize = -1;  // -1: no such file
    QSize pixelSize;       // invalid when the header does not say
    QDateTime taken;       // EXIF DateTimeOriginal; invalid when there is none
    QString cameraModel;
    QString lens;
    // As a name shows them: "400", "f2.8", "1-250s" (no slash may enter a file
    // name), "2s", "50mm". Empty when the picture does not say.
    QString iso;
    QString aperture;
    QString exposureTime;
    QString focalLength;
    // The small preview a camera puts into the EXIF (a JPEG), when asked for and
    // present; empty otherwise.
    QByteArray thumbnail;

    // `withThumbnail`: also take out the EXIF thumbnail.
    static PictureFacts read(const QString &path, bool withThumbnail = false);

    // When the picture was taken, or when its file was last modified when it does not say.
    QDateTime takenOrModified(const QString &path) const;
};

#endif
