#ifndef PICTUREMETADATA_P_H
#define PICTUREMETADATA_P_H

// What the reading and the writing half of PictureMetadata share.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <exiv2/exiv2.hpp>

#include <mutex>

#include "engine/metadata/jpegmetadata.h"
#include "engine/metadata/picturemetadata.h"
#include "engine/picture/formatcatalog.h"

namespace MetadataDetail {

// Who writes the metadata of an output (see FormatCatalog::metadataCarrier).
using Carrier = FormatCatalog::MetadataCarrier;

constexpr char exifHeader[] = {'E', 'x', 'i', 'f', 0, 0};

// Starts Exiv2 and its XMP toolkit once, for all threads.
void startExiv2();

// Held for every piece of work on a picture's metadata. Exiv2 keeps one registry
// of XMP namespaces for the process and adds to it while it parses a packet that
// uses a new one; another thread parsing or looking up keys meanwhile can fail
// to read its packet, and its XMP would be lost. Metadata work is short beside
// decoding and encoding, so the pictures of a batch take turns at it.
std::unique_lock<std::recursive_mutex> lockExiv2();

QString tr(const char *text);
QString exiv2Reason(const Exiv2::AnyError &error);
QByteArray encodeExif(const Exiv2::ExifData &exif);

} // namespace MetadataDetail

struct PictureMetadata::Data
{
    Exiv2::ExifData exif;
    Exiv2::IptcData iptc;
    Exiv2::XmpData xmp;
    std::string xmpPacket;      // as found, kept for a packet Exiv2 cannot or should not parse
    bool xmpParsed = true;      // xmp holds everything of xmpPacket
    bool xmpOversized = false;  // not parsed for its size
    bool stripped = false;      // nothing but the colour profile goes along
    QStringList notes;

    // Drops the XMP, noting why when there was any.
    void leaveOutXmp(const QString &why);
    JpegMetadata::Blocks jpegBlocks();
    void jpegXmp(JpegMetadata::Blocks &blocks);
    Result<QByteArray> rewritten(QByteArray bytes, MetadataDetail::Carrier carrier, bool tiff);
    // The whole encoded stream, with the metadata written by `carrier`.
    Status rewrite(FILE *stream, MetadataDetail::Carrier carrier, bool tiff);
    QByteArray throughExiv2(const QByteArray &bytes, MetadataDetail::Carrier carrier, bool tiff);
};

#endif
