#ifndef XMPPACKET_H
#define XMPPACKET_H

// Bounds on the XMP work of one picture, and finding packets in a file without
// parsing them. The XMP toolkit's time grows with the square of a packet's
// properties (a packet of 40 000 takes many seconds, 200 000 minutes, and
// nothing can interrupt it), so a packet beyond these bounds is never parsed:
// it goes along as it is when nothing in it needs changing, or is left out
// with a note in the log.
//
// Safe to call from any thread.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <exiv2/exiv2.hpp>

#include <string>
#include <utility>

namespace XmpPacket {

// A few thousand properties parse in well under a second.
constexpr qsizetype maxParsedBytes = 1 << 20;
constexpr qsizetype maxParsedNodes = 5000;
// What is carried unparsed at most; beyond it a packet is left out.
constexpr qsizetype maxCarriedBytes = 16 << 20;

// An upper estimate of the packet's properties (its elements and attributes),
// counted without parsing.
qsizetype nodeEstimate(QByteArrayView packet);

// Whether the packet is within the bounds for parsing.
bool parseable(QByteArrayView packet);

// The [begin, end) ranges of the XMP packets in a file's bytes, from their
// "<x:xmpmeta" (or "<rdf:RDF") to its closing tag.
QList<std::pair<qsizetype, qsizetype>> find(QByteArrayView bytes);

// The packet with the wrapper XMP writers put around it, whatever part of it it had.
std::string wrapped(QByteArrayView packet);

// The packet without its "<?xpacket ...?>" wrapper.
QByteArray unwrapped(const std::string &packet);

// Fills `bytes` (when empty, from `source`) with `source` where every packet
// too large to parse is blanked out, so that Exiv2, which parses whatever XMP
// it finds, never meets it; the first such packet goes to `oversized`, wrapped.
// False, leaving `bytes` as it was, when there is none.
bool hideOversized(QByteArray &bytes, QByteArrayView source, std::string *oversized);

// XMP for a JPEG file too large for one segment, split as Adobe's extended XMP:
// whole top-level properties go to the standard packet as long as it fits one
// segment, the rest to the extension, serialized without a packet wrapper; the
// standard packet names it by its MD5. False when it cannot be split so.
bool splitForJpeg(const Exiv2::XmpData &xmp, QByteArray *standard, QByteArray *extended);

} // namespace XmpPacket

#endif
