#include "engine/metadata/pngchunks.h"

#include <zlib.h>

namespace {

const QByteArray signature("\x89PNG\r\n\x1a\n", 8);

quint32 lengthAt(const QByteArray &png, qsizetype offset)
{
    const auto at = reinterpret_cast<const uchar *>(png.constData()) + offset;
    return (quint32(at[0]) << 24) | (quint32(at[1]) << 16) | (quint32(at[2]) << 8) | at[3];
}

// Text chunks whose keyword says they hold another format's metadata block.
bool carriesMetadataBlock(const QByteArray &type, const QByteArray &data)
{
    if (type != "tEXt" && type != "zTXt" && type != "iTXt")
        return false;
    const QByteArray keyword = data.left(data.indexOf('\0'));
    return keyword.startsWith("Raw profile type") || keyword == "XML:com.adobe.xmp";
}

} // namespace

namespace PngChunks {

bool isPng(const QByteArray &bytes)
{
    return bytes.startsWith(signature);
}

QByteArray withExif(const QByteArray &png, const QByteArray &exif)
{
    qsizetype offset = signature.size();
    while (offset + 8 <= png.size()) {
        if (png.mid(offset + 4, 4) == "IDAT")
            break;
        offset += 12 + qsizetype(lengthAt(png, offset));
    }
    if (!isPng(png) || offset + 8 > png.size())
        return png;

    QByteArray chunk;
    const quint32 size = quint32(exif.size());
    chunk.append(char(size >> 24)).append(char(size >> 16)).append(char(size >> 8)).append(char(size));
    chunk.append("eXIf").append(exif);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(chunk.constData() + 4), uInt(chunk.size() - 4));
    chunk.append(char(crc >> 24)).append(char(crc >> 16)).append(char(crc >> 8)).append(char(crc));
    return png.left(offset) + chunk + png.mid(offset);
}

QByteArray withoutMetadata(const QByteArray &png, bool allText)
{
    if (!isPng(png))
        return png;
    QByteArray out = signature;
    qsizetype offset = signature.size();
    while (offset + 12 <= png.size()) {
        const qsizetype size = 12 + qsizetype(lengthAt(png, offset));
        if (offset + size > png.size())
            break;
        const QByteArray type = png.mid(offset + 4, 4);
        const bool text = type == "tEXt" || type == "zTXt" || type == "iTXt";
        const bool dropped = type == "eXIf" || (allText && (text || type == "tIME"))
                             || carriesMetadataBlock(type, png.mid(offset + 8, std::min<qsizetype>(size - 12, 80)));
        if (!dropped)
            out += png.mid(offset, size);
        offset += size;
    }
    return out + png.mid(offset);  // whatever follows the chunks, as it was
}

QByteArray metadataFirst(const QByteArray &png)
{
    if (!isPng(png))
        return png;
    QByteArray before;
    QByteArray moved;
    QByteArray after;
    bool pixelsSeen = false;
    qsizetype offset = signature.size();
    while (offset + 12 <= png.size()) {
        const qsizetype size = 12 + qsizetype(lengthAt(png, offset));
        if (offset + size > png.size())
            return png;
        const QByteArray type = png.mid(offset + 4, 4);
        const QByteArray chunk = png.mid(offset, size);
        pixelsSeen = pixelsSeen || type == "IDAT";
        if (!pixelsSeen)
            before += chunk;
        else if (type == "tEXt" || type == "zTXt" || type == "iTXt" || type == "eXIf")
            moved += chunk;
        else
            after += chunk;
        offset += size;
    }
    return signature + before + moved + after + png.mid(offset);
}

} // namespace PngChunks
