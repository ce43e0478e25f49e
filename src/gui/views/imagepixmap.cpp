#include "gui/views/imagepixmap.h"

#include <QSysInfo>

QImage imageToImage(const Magick::Image &image)
{
    try {
        if (!image.isValid())
            return {};
        const auto width = int(image.columns());
        const auto height = int(image.rows());
        if (width <= 0 || height <= 0)
            return {};
        // The samples go straight into the toolkit's own 32-bit pixel layout, the
        // one it paints without converting: opaque pictures need no further pass.
        const bool alpha = image.matte();
        QImage result(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        if (result.isNull())  // more than the toolkit will allocate
            return {};
        // The library writes the rows packed; QImage rows are 32-bit aligned,
        // which four bytes per pixel already are. A 32-bit pixel 0xAARRGGBB lies
        // in memory as B, G, R, A on little-endian machines.
        const char *map = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "BGRA" : "ARGB";
        Magick::Image copy(image);  // write() needs a non-const image; the copy shares pixels
        copy.write(0, 0, unsigned(width), unsigned(height), map, Magick::CharPixel, result.bits());
        if (alpha)
            result.convertTo(QImage::Format_ARGB32_Premultiplied);
        return result;
    } catch (const Magick::Exception &) {
        return {};
    } catch (const std::exception &) {
        return {};
    }
}

QPixmap imageToPixmap(const Magick::Image &image)
{
    const QImage converted = imageToImage(image);
    return converted.isNull() ? QPixmap() : QPixmap::fromImage(converted);
}
