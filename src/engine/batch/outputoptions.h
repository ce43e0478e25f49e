#ifndef OUTPUTOPTIONS_H
#define OUTPUTOPTIONS_H

// What the written files carry beside their pixels: encoder quality, which
// metadata goes along, whether pictures are turned upright first, and whether
// outputs keep their source's date; and whether documents are read as pictures. Part of a ConversionJob and of the project
// file; plain values, copied into every worker.

#include <QString>

struct OutputOptions
{
    // Quality of the JPEG, WebP and JPEG XL encoders, 1 to 100; 0: the format's
    // default (77, and a kept original format keeps the picture's own quality).
    int quality = 0;
    bool stripMetadata = false;  // drop EXIF, IPTC, XMP and comments; the colour profile stays
    bool stripGps = false;       // drop only the location
    bool autoOrient = false;     // turn the pixels upright by the EXIF orientation before the chain
    bool keepDate = false;       // converted pictures keep the source's modification time
    // PostScript, EPS and PDF sources are rendered (by Ghostscript, a program
    // that runs the document); off, they are refused unread.
    bool allowDocuments = false;

    static constexpr int minQuality = 1;
    static constexpr int maxQuality = 100;
    static bool validQuality(int quality) { return quality >= minQuality && quality <= maxQuality; }

    // Encoder quality for an output written with the encoder `extension` ("jpg",
    // "webp", ...), given the quality the chosen format has by default
    // (FormatCatalog::quality); -1 leaves it to the library.
    int qualityFor(int formatQuality, const QString &extension) const;

    bool operator==(const OutputOptions &other) const
    {
        return quality == other.quality && stripMetadata == other.stripMetadata && stripGps == other.stripGps
               && autoOrient == other.autoOrient && keepDate == other.keepDate
               && allowDocuments == other.allowDocuments;
    }
};

#endif
