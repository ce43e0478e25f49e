#include "imagepixmap.h"

QImage imageToImage(const Magick::Image &image)
{
    try {
        if (!image.isValid())
            return {};
        const auto width = int(image.columns());
        const auto height = int(image.rows());
        if (width <= 0 || height <= 0)
            return {};
        QImage result(width, height, QImage::Format_RGBA8888);
        if (result.isNull())  // more than the toolkit will allocate
            return {};
        // The library writes the rows packed; QImage rows are 32-bit aligned,
        // which four bytes per pixel already are.
        Magick::Image copy(image);  // write() needs a non-const image; the copy shares pixels
        copy.write(0, 0, unsigned(width), unsigned(height), "RGBA", Magick::CharPixel, result.bits());
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
