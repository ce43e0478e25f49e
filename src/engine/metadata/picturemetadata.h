#ifndef PICTUREMETADATA_H
#define PICTUREMETADATA_H

// A picture's metadata (EXIF with the location, IPTC, XMP) on its way from the
// source file to an output. It is read with Exiv2, which knows where every
// format keeps it, changed as the job asks (stripped, location removed, upright,
// new pixel size), and written where the output format's readers look for it:
// into JPEG, PNG, TIFF and WebP outputs after the encoder (whose writers
// misplace some of it: TIFF loses EXIF, PNG gets XMP and IPTC that readers
// reject, JPEG cuts a large XMP packet into pieces no reader puts together);
// through the image library's own profiles for every other format. The colour
// profile is the image library's business and always stays.
//
// The same writers clean copies: a JPEG, PNG, TIFF or WebP file taken over
// unchanged gets its metadata replaced without its pixel data being touched.
//
// An XMP packet too large to parse in reasonable time (see XmpPacket) is
// carried unparsed where nothing in it needs to change, and otherwise left out;
// notes() tells what was left out, for the picture's line in the log.
//
// Threads: every object is used by one thread at a time; different objects may
// be used on different threads at once.

#include <QString>
#include <QStringList>

#include <Magick++.h>

#include <cstdio>
#include <memory>

#include "engine/result.h"

struct OutputOptions;

class PictureMetadata
{
public:
    PictureMetadata();
    ~PictureMetadata();
    PictureMetadata(const PictureMetadata &other);
    PictureMetadata &operator=(const PictureMetadata &other);

    // What the source file carries; where Exiv2 does not know the file's format,
    // what the decoder found in it (`decoded` may be an empty image). A file
    // without metadata gives an empty one.
    static PictureMetadata read(const QString &sourcePath, const Magick::Image &decoded);

    bool isEmpty() const;

    // The EXIF orientation (1 to 8), 0 when there is none.
    int orientation() const;

    // Takes off what the options ask to remove: everything but the colour
    // profile, or every location (see LocationFields).
    void removeAsAsked(const OutputOptions &options);

    // Brings the metadata in line with the finished picture and the options:
    // removeAsAsked(), the orientation upright when `turnedUpright`, the pixel
    // size of `finished`, and no thumbnail once the pixels no longer look like it
    // (`pixelsChanged`).
    void adapt(const OutputOptions &options, const Magick::Image &finished, bool turnedUpright, bool pixelsChanged);

    // Before encoding with the encoder `extension`: gives the image exactly the
    // metadata its encoder should write itself (the colour profile untouched).
    Status prepareImage(Magick::Image &image, const QString &extension);

    // After encoding: puts the metadata into the encoded stream where the encoder
    // cannot. The stream must be open for reading and writing and hold the whole
    // output. Fails when the output cannot be rewritten.
    Status writeInto(FILE *stream, const QString &extension);

    // Replaces the metadata of a copy (JPEG, PNG, TIFF or WebP, told by its
    // content) with this one, leaving its pixel data as it is; the stream as
    // for writeInto(). Fails for any other file.
    Status writeIntoCopy(FILE *stream);

    // What was left out and why, one line each.
    QStringList notes() const;

private:
    Status prepare(Magick::Image &image, const QString &extension);

    struct Data;
    std::unique_ptr<Data> d;
};

#endif
