#ifndef PICTUREMETADATA_H
#define PICTUREMETADATA_H

// A picture's metadata (EXIF with the location, IPTC, XMP) on its way from the
// source file to an output. It is read with Exiv2, which knows where every
// format keeps it, changed as the job asks (stripped, location removed, upright,
// new pixel size), and written where the output format's readers look for it:
// by Exiv2 into PNG, TIFF and WebP outputs, whose encoders in the image
// library misplace some of it (TIFF loses EXIF, PNG gets XMP and IPTC that
// readers reject); through the image library's own profiles for every other
// format. The colour profile is the image library's business and always stays.
//
// Threads: every object is used by one thread at a time; different objects may
// be used on different threads at once.

#include <QString>

#include <Magick++.h>

#include <cstdio>
#include <memory>

struct OutputOptions;

class PictureMetadata
{
public:
    PictureMetadata();
    ~PictureMetadata();
    PictureMetadata(const PictureMetadata &other);
    PictureMetadata &operator=(const PictureMetadata &other);

    // What the source file carries; where Exiv2 does not know the file's format,
    // what the decoder found in it. A file without metadata gives an empty one.
    static PictureMetadata read(const QString &sourcePath, const Magick::Image &decoded);

    bool isEmpty() const;

    // Brings the metadata in line with the finished picture and the options:
    // stripped or without the location as asked, the orientation upright when
    // `turnedUpright`, the pixel size of `finished`, and no thumbnail once the
    // pixels no longer look like it (`pixelsChanged`).
    void adapt(const OutputOptions &options, const Magick::Image &finished, bool turnedUpright, bool pixelsChanged);

    // Before encoding with the encoder `extension`: gives the image exactly the
    // metadata its encoder should write itself (the colour profile untouched).
    void prepareImage(Magick::Image &image, const QString &extension) const;

    // After encoding: puts the metadata into the encoded stream where the encoder
    // cannot. The stream must be open for reading and writing and hold the whole
    // output. Throws PictureError when the output cannot be rewritten.
    void writeInto(FILE *stream, const QString &extension) const;

    // Whether writeInto() has anything to do for outputs of this encoder.
    static bool writtenAfterEncoding(const QString &extension);

private:
    struct Data;
    std::unique_ptr<Data> d;
};

#endif
