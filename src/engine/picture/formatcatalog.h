#ifndef FORMATCATALOG_H
#define FORMATCATALOG_H

// The program's format vocabulary: the output formats offered for writing, the
// file-dialog filter and name patterns for adding pictures, and the rules that
// turn a chosen format name into extension, encoder and quality. Names are the
// image library's own format names.
//
// Threads: instance() builds the catalogue on first use (thread-safe static);
// after that nothing changes, so every method may be called from any thread,
// worker threads included, without locks.

#include <QString>
#include <QStringList>

class FormatCatalog
{
public:
    static const FormatCatalog &instance();

    // Name patterns of readable pictures, upper case ("*.BMP", ...), for listing a folder.
    const QStringList &readPatterns() const { return m_readPatterns; }
    // Filter of the open-pictures dialog; its first entry offers every pattern at once.
    QString openFilter() const;
    // Every write format entry joined by ";"; searched when "original" has to fall back.
    const QString &writeFormatText() const { return m_writeFormatText; }
    // "NAME - (description)" per write format, in the order of the format list.
    const QStringList &writeFormats() const { return m_writeFormats; }

    // The whole format list: "Original - <translated text>" first, then writeFormats().
    // Its row numbers are the format index stored in project files.
    QStringList comboEntries() const;

    // The format name of a format list entry: its text up to the first " - ".
    static QString formatName(const QString &entry);
    static bool isOriginal(const QString &name);

    // Extension of the output file, which is also the encoder the picture is written
    // with. For "original" it is the suffix of the generated name, unless the library
    // is not known to write that suffix (not found in writeFormatText()), then "jpg".
    QString outputExtension(const QString &name, const QString &generatedSuffix) const;

    // Encoder quality for single pictures written in that format; -1: leave it to the library.
    static int quality(const QString &name);
    static constexpr int jpegQuality = 77;
    static constexpr int pngQuality = 77;

    // What an encoder, named by its extension ("jpg", "tiff", "png24"), can hold.
    static bool holdsCmyk(const QString &extension);
    static bool holdsTransparency(const QString &extension);
    static bool isTiff(const QString &extension);
    // Whether a file suffix ("NEF", "dng") names a camera raw format. Such files
    // are TIFF inside, but only the raw helper program gives the picture.
    static bool isCameraRaw(const QString &suffix);
    // Whether the encoder is a lossy one whose quality the user chooses (JPEG, WebP, JPEG XL).
    static bool takesQuality(const QString &extension);

    // Who puts a picture's metadata into a file of this format (an extension or
    // a format name): Exiv2 after the encoder (TIFF, WebP), Exiv2 and our own
    // eXIf chunk (PNG), our own segments (JPEG), or the encoder itself. A pyramid
    // TIFF and a BigTIFF are TIFFs that only their encoder writes: Exiv2 cannot
    // write a BigTIFF, and rewriting a pyramid takes its smaller levels for
    // thumbnails and drops them.
    enum class MetadataCarrier { Exiv2, Png, Jpeg, Encoder };
    static MetadataCarrier metadataCarrier(const QString &extension);
    // Whether the format has a place for metadata beyond a colour profile.
    static bool carriesMetadata(const QString &extension);
    // Whether pictures of this format (a suffix or the library's name of what a
    // picture was read as) come upright from their decoder: HEIF and AVIF by their
    // own transforms, JPEG XL by its orientation, camera raw files by their helper
    // program. The EXIF orientation they also carry no longer applies.
    static bool decodesUpright(const QString &format);

    // Whether a source can be taken over unchanged instead of being re-encoded
    // (given an empty filter chain): "original", or the source already has that suffix.
    static bool keepsSourceFormat(const QString &name, const QString &sourcePath);

    // Whether the library can put several pictures into one file of that format.
    // Asks the image library, which must have been initialised; unknown names give false.
    static bool canHoldPages(const QString &name);

private:
    FormatCatalog();
    void build();

    QStringList m_readPatterns;
    QString m_openFilter;  // all but the translated label of the first entry
    QString m_writeFormatText;
    QStringList m_writeFormats;
};

#endif
