#include "engine/metadata/jpegmetadata.h"

#include <QCryptographicHash>

namespace {

const QByteArray exifHeader("Exif\0\0", 6);
const QByteArray xmpHeader("http://ns.adobe.com/xap/1.0/\0", 29);
const QByteArray extensionHeader("http://ns.adobe.com/xmp/extension/\0", 35);
const QByteArray iccHeader("ICC_PROFILE\0", 12);
const QByteArray adobeHeader("Adobe");
const QByteArray photoshopHeader("Photoshop 3.0\0", 14);

constexpr uchar SOI = 0xD8, EOI = 0xD9, SOS = 0xDA, APP0 = 0xE0, APP1 = 0xE1, APP2 = 0xE2, APP13 = 0xED,
                APP14 = 0xEE, APP15 = 0xEF, COM = 0xFE;
constexpr qsizetype maxSegmentData = 65533;  // after the two bytes of the length

uchar at(const QByteArray &bytes, qsizetype i)
{
    return uchar(bytes.at(i));
}

QByteArray segment(uchar marker, const QByteArray &data)
{
    QByteArray bytes;
    const qsizetype length = data.size() + 2;
    bytes.append(char(0xFF)).append(char(marker)).append(char(length >> 8)).append(char(length & 0xFF));
    return bytes + data;
}

// Where the coded picture that starts at the scan `sos` ends: after its EOI,
// past every further table and scan of a progressive file. A file cut off
// before its EOI ends where the file does: viewers show what there is.
qsizetype pictureEnd(const QByteArray &jpeg, qsizetype sos)
{
    qsizetype i = sos;
    while (i + 3 < jpeg.size()) {
        // A segment with a length: the scan header, or tables between scans.
        i += 2 + ((qsizetype(at(jpeg, i + 2)) << 8) | at(jpeg, i + 3));
        // Coded data up to the next marker (stuffed bytes and restarts are data).
        for (;;) {
            while (i < jpeg.size() && at(jpeg, i) != 0xFF)
                ++i;
            while (i + 1 < jpeg.size() && at(jpeg, i + 1) == 0xFF)
                ++i;  // fill bytes
            if (i + 1 >= jpeg.size())
                return jpeg.size();
            const uchar marker = at(jpeg, i + 1);
            if (marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7)) {
                i += 2;
                continue;
            }
            if (marker == EOI)
                return i + 2;
            break;
        }
    }
    return jpeg.size();
}

bool keptApplicationSegment(uchar marker, const QByteArray &data)
{
    return marker == APP0 || (marker == APP2 && data.startsWith(iccHeader))
           || (marker == APP14 && data.startsWith(adobeHeader));
}

} // namespace

namespace JpegMetadata {

bool isJpeg(const QByteArray &bytes)
{
    return bytes.size() > 3 && at(bytes, 0) == 0xFF && at(bytes, 1) == SOI && at(bytes, 2) == 0xFF;
}

QByteArray rewrite(const QByteArray &jpeg, const Blocks &blocks, bool keepComments)
{
    if (!isJpeg(jpeg))
        return QByteArray();
    QByteArray head;     // the JFIF header
    QByteArray tables;   // everything else before the first scan, in order
    qsizetype i = 2;
    for (;;) {
        while (i + 1 < jpeg.size() && at(jpeg, i) == 0xFF && at(jpeg, i + 1) == 0xFF)
            ++i;
        if (i + 3 >= jpeg.size() || at(jpeg, i) != 0xFF)
            return QByteArray();
        const uchar marker = at(jpeg, i + 1);
        if (marker == SOS)
            break;
        if (marker == EOI || marker == SOI || (marker >= 0xD0 && marker <= 0xD7))
            return QByteArray();
        const qsizetype length = (qsizetype(at(jpeg, i + 2)) << 8) | at(jpeg, i + 3);
        if (length < 2 || i + 2 + length > jpeg.size())
            return QByteArray();
        const QByteArray whole = jpeg.mid(i, 2 + length);
        const QByteArray data = whole.mid(4);
        if (marker >= APP0 && marker <= APP15) {
            if (keptApplicationSegment(marker, data))
                (marker == APP0 && tables.isEmpty() ? head : tables) += whole;
        } else if (marker != COM || keepComments) {
            tables += whole;
        }
        i += 2 + length;
    }
    const qsizetype end = pictureEnd(jpeg, i);

    QByteArray out = jpeg.left(2) + head;
    if (!blocks.exif.isEmpty() && exifHeader.size() + blocks.exif.size() <= maxSegmentData)
        out += segment(APP1, exifHeader + blocks.exif);
    if (!blocks.xmp.isEmpty()) {
        for (const QByteArray &xmp : xmpSegments(blocks.xmp, blocks.xmpExtended))
            out += xmp;
    }
    if (!blocks.iptc.isEmpty() && photoshopHeader.size() + blocks.iptc.size() <= maxSegmentData)
        out += segment(APP13, photoshopHeader + blocks.iptc);
    return out + tables + jpeg.mid(i, end - i);
}

QList<QByteArray> xmpSegments(const QByteArray &standard, const QByteArray &extended)
{
    QList<QByteArray> segments;
    if (standard.size() > maxStandardXmp)
        return segments;
    segments.append(segment(APP1, xmpHeader + standard));
    if (extended.isEmpty())
        return segments;
    const QByteArray guid = extensionGuid(extended);
    const quint32 total = quint32(extended.size());
    constexpr qsizetype chunk = 65400;
    for (qsizetype offset = 0; offset < extended.size(); offset += chunk) {
        QByteArray data = extensionHeader + guid;
        for (const quint32 value : {total, quint32(offset)})
            data.append(char(value >> 24)).append(char(value >> 16)).append(char(value >> 8)).append(char(value));
        data += extended.mid(offset, chunk);
        segments.append(segment(APP1, data));
    }
    return segments;
}

QByteArray extensionGuid(const QByteArray &extended)
{
    return QCryptographicHash::hash(extended, QCryptographicHash::Md5).toHex().toUpper();
}

QByteArray extensionStub(const QByteArray &guid)
{
    return "<?xpacket begin=\"\xef\xbb\xbf\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
           "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
           "<rdf:Description rdf:about=\"\" xmlns:xmpNote=\"http://ns.adobe.com/xmp/note/\" xmpNote:HasExtendedXMP=\""
           + guid + "\"/></rdf:RDF></x:xmpmeta>\n<?xpacket end=\"w\"?>";
}

} // namespace JpegMetadata
