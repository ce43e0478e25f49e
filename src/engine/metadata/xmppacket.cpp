#include "engine/metadata/xmppacket.h"

#include <QCryptographicHash>

#include <map>
#include <set>

namespace {

const QByteArrayView metaStart("<x:xmpmeta");
const QByteArrayView metaEnd("</x:xmpmeta>");
const QByteArrayView rdfStart("<rdf:RDF");
const QByteArrayView rdfEnd("</rdf:RDF>");

} // namespace

namespace XmpPacket {

qsizetype nodeEstimate(QByteArrayView packet)
{
    qsizetype nodes = 0;
    for (qsizetype i = 0; i + 1 < packet.size(); ++i) {
        const char c = packet[i];
        const char next = packet[i + 1];
        if ((c == '<' && next != '/' && next != '?' && next != '!') || (c == '=' && (next == '"' || next == '\'')))
            ++nodes;
    }
    return nodes;
}

bool parseable(QByteArrayView packet)
{
    return packet.size() <= maxParsedBytes && nodeEstimate(packet) <= maxParsedNodes;
}

QList<std::pair<qsizetype, qsizetype>> find(QByteArrayView bytes)
{
    QList<std::pair<qsizetype, qsizetype>> packets;
    qsizetype from = 0;
    for (;;) {
        const qsizetype rdf = bytes.indexOf(rdfStart, from);
        if (rdf < 0)
            break;
        // The x:xmpmeta element around it, where there is one close before it.
        qsizetype begin = rdf;
        const qsizetype window = std::max<qsizetype>(from, rdf - 1024);
        const qsizetype meta = bytes.sliced(window, rdf - window).lastIndexOf(metaStart);
        if (meta >= 0)
            begin = window + meta;
        qsizetype end = bytes.indexOf(rdfEnd, rdf);
        if (end < 0)
            break;  // cut off: nothing a parser would take either
        end += rdfEnd.size();
        if (meta >= 0) {
            const qsizetype close = bytes.indexOf(metaEnd, end);
            if (close >= 0 && close - end < 1024)
                end = close + metaEnd.size();
        }
        packets.append({begin, end});
        from = end;
    }
    return packets;
}

std::string wrapped(QByteArrayView packet)
{
    std::string text = "<?xpacket begin=\"\xef\xbb\xbf\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n";
    const bool hasMeta = packet.startsWith(metaStart);
    if (!hasMeta)
        text += "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n";
    text.append(packet.data(), size_t(packet.size()));
    if (!hasMeta)
        text += "\n</x:xmpmeta>";
    text += "\n<?xpacket end=\"w\"?>";
    return text;
}

QByteArray unwrapped(const std::string &packet)
{
    QByteArrayView text(packet.data(), qsizetype(packet.size()));
    const qsizetype begin = text.indexOf(metaStart);
    const qsizetype end = text.lastIndexOf(metaEnd);
    if (begin >= 0 && end > begin)
        text = text.sliced(begin, end + metaEnd.size() - begin);
    return text.toByteArray();
}

} // namespace XmpPacket

namespace XmpPacket {

bool hideOversized(QByteArray &bytes, QByteArrayView source, std::string *oversized)
{
    bool hidden = false;
    for (const auto &[begin, end] : find(source)) {
        const QByteArrayView packet = source.sliced(begin, end - begin);
        if (parseable(packet))
            continue;
        if (!hidden) {
            if (bytes.isEmpty())
                bytes = source.toByteArray();
            if (oversized)
                *oversized = wrapped(packet);
        }
        hidden = true;
        std::fill(bytes.begin() + begin, bytes.begin() + end, ' ');
    }
    return hidden;
}

bool splitForJpeg(const Exiv2::XmpData &xmp, QByteArray *standard, QByteArray *extended)
{
    // The top-level property a key belongs to: "Xmp.dc.subject" of "Xmp.dc.subject[2]".
    auto topLevel = [](const std::string &key) {
        const size_t dot = key.find('.', 4);
        return key.substr(0, key.find_first_of("[/", dot == std::string::npos ? 0 : dot));
    };
    std::map<std::string, size_t> sizes;  // estimated bytes per top-level property
    for (const Exiv2::Xmpdatum &datum : xmp)
        sizes[topLevel(datum.key())] += datum.key().size() + size_t(datum.size()) + 64;

    // The estimate only guides which properties stay; the encoded size decides.
    for (size_t budget = 48 * 1024; budget >= 4 * 1024; budget /= 2) {
        Exiv2::XmpData inStandard;
        Exiv2::XmpData inExtension;
        size_t used = 0;
        std::set<std::string> kept;
        for (const auto &[property, size] : sizes) {
            if (used + size <= budget && property.rfind("Xmp.xmpNote.", 0) != 0) {
                used += size;
                kept.insert(property);
            }
        }
        for (const Exiv2::Xmpdatum &datum : xmp)
            (kept.count(topLevel(datum.key())) ? inStandard : inExtension).add(datum);
        std::string rest;
        if (Exiv2::XmpParser::encode(rest, inExtension, Exiv2::XmpParser::omitPacketWrapper
                                                             | Exiv2::XmpParser::useCompactFormat) != 0)
            return false;
        const QByteArray extension(rest.data(), qsizetype(rest.size()));
        const QByteArray guid = QCryptographicHash::hash(extension, QCryptographicHash::Md5).toHex().toUpper();
        inStandard["Xmp.xmpNote.HasExtendedXMP"] = guid.toStdString();
        std::string packet;
        if (Exiv2::XmpParser::encode(packet, inStandard, Exiv2::XmpParser::useCompactFormat) != 0)
            return false;
        if (packet.size() <= 65504) {
            *standard = QByteArray(packet.data(), qsizetype(packet.size()));
            *extended = extension;
            return true;
        }
    }
    return false;
}

} // namespace XmpPacket
