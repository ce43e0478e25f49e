#include "watermarklayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace WatermarkLayer {

namespace {

// Messages for the user are in the plug-in class's context, as its other texts.
[[noreturn]] void refuse(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

Magick::Quantum sample(unsigned eightBit)
{
    return Magick::Quantum(std::min(eightBit, 255u) * (double(MaxRGB) / 255.0) + 0.5);
}

void useFont(Magick::Image &image, const std::string &font, double points)
{
    if (!font.empty())
        image.font(font);
    image.fontPointsize(points);
}

} // namespace

QString fontFile(const QString &family)
{
    static const bool ready = FcInit();
    if (!ready)
        return QString();
    FcPattern *pattern = FcPatternCreate();
    const QByteArray name = family.toUtf8();
    if (!name.isEmpty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.constData()));
    // Outlines only: the library draws them at any size, bitmap fonts it cannot.
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    QString file;
    FcChar8 *path = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
        file = QFile::decodeName(reinterpret_cast<const char *>(path));
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return file;
}

Magick::Image text(const WatermarkParams &p, const QSize &picture)
{
    const int shorter = std::min(picture.width(), picture.height());
    const double points = shorter * std::min(p.Size, 100u) / 100.0;
    const QStringList lines = QString(p.Text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    const bool blank = std::all_of(lines.begin(), lines.end(), [](const QString &line) { return line.isEmpty(); });
    if (points < 1.0 || blank)
        return Magick::Image();

    const std::string font = QFile::encodeName(fontFile(p.Font)).toStdString();
    Magick::Image probe(Magick::Geometry(1, 1), Magick::Color("black"));
    useFont(probe, font, points);
    std::vector<double> widths;
    double ascent = 0.0;
    double descent = 0.0;
    for (const QString &line : lines) {
        Magick::TypeMetric metric;
        if (!line.isEmpty())
            probe.fontTypeMetrics(line.toStdString(), &metric);
        widths.push_back(metric.textWidth());
        ascent = std::max(ascent, metric.ascent());
        descent = std::min(descent, metric.descent());
    }
    const double lineHeight = std::ceil(ascent - descent);
    const double widest = *std::max_element(widths.begin(), widths.end());
    // What would lie beyond the picture is never seen: the layer is no larger.
    const int width = int(std::min(std::ceil(widest) + 1.0, double(picture.width())));
    const int height = int(std::min(lineHeight * lines.size(), double(picture.height())));
    if (width < 1 || height < 1)
        return Magick::Image();

    Magick::Image layer(Magick::Geometry(unsigned(width), unsigned(height)), Magick::Color("none"));
    layer.matte(true);
    useFont(layer, font, points);
    layer.fillColor(Magick::Color(sample(p.Red), sample(p.Green), sample(p.Blue)));
    layer.strokeColor(Magick::Color("none"));
    // The lines align as the place does: left, centred or right.
    const int column = (p.Position >= 0 && p.Position <= 8 ? p.Position : 8) % 3;
    for (int i = 0; i < lines.size(); ++i) {
        const double top = i * lineHeight;
        if (lines.at(i).isEmpty() || top >= height)
            continue;
        const double room = std::max(0.0, width - widths.at(i));
        const double x = column == 0 ? 0.0 : column == 1 ? room / 2.0 : room;
        layer.annotate(lines.at(i).toStdString(),
                       Magick::Geometry(0, 0, unsigned(std::lround(x)), unsigned(std::lround(top + ascent))));
    }
    return layer;
}

Magick::Image logo(const QString &path, unsigned scale, const QSize &picture)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (path.isEmpty())
        refuse(QCoreApplication::translate("WatermarkEffect", "No logo file is chosen for the watermark"));
    const QFileInfo info(path);
    if (!info.exists())
        refuse(QCoreApplication::translate("WatermarkEffect", "The watermark's logo \"%1\" does not exist").arg(shown));
    // A device or a pipe would be read for ever: only a plain file is a logo.
    if (!info.isFile())
        refuse(QCoreApplication::translate("WatermarkEffect", "The watermark's logo \"%1\" is not a file").arg(shown));
    if (info.size() > maxLogoBytes)
        refuse(QCoreApplication::translate("WatermarkEffect", "The watermark's logo \"%1\" is too large for a logo").arg(shown));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        refuse(QCoreApplication::translate("WatermarkEffect", "The watermark's logo \"%1\" cannot be read: %2").arg(shown, file.errorString()));
    const QByteArray bytes = file.read(maxLogoBytes + 1);
    if (bytes.size() > maxLogoBytes)
        refuse(QCoreApplication::translate("WatermarkEffect", "The watermark's logo \"%1\" is too large for a logo").arg(shown));
    // Only PNG is read, whatever the name says: the library would take any of
    // its many formats, documents and drawings included.
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (!bytes.startsWith(signature))
        refuse(QCoreApplication::translate("WatermarkEffect", "The watermark's logo \"%1\" is not a PNG picture").arg(shown));

    Magick::Image image;
    try {
        const Magick::Blob blob(bytes.constData(), size_t(bytes.size()));
        Magick::Image header;
        header.magick("PNG");
        header.ping(blob);
        if (qint64(header.columns()) * qint64(header.rows()) > maxLogoPixels)
            refuse(QCoreApplication::translate("WatermarkEffect", "The watermark's logo \"%1\" is too large for a logo").arg(shown));
        image.magick("PNG");
        try {
            image.read(blob);
        } catch (const Magick::WarningCoder &) {
            // libpng remarks on details it leaves out (an outdated sRGB profile)
            // and reads the whole picture.
        }
    } catch (const Magick::Exception &error) {
        refuse(QCoreApplication::translate("WatermarkEffect", "The watermark's logo \"%1\" cannot be read: %2").arg(shown, QString::fromLocal8Bit(error.what())));
    }
    if (!image.isValid() || image.columns() == 0 || image.rows() == 0)
        refuse(QCoreApplication::translate("WatermarkEffect", "The watermark's logo \"%1\" cannot be read").arg(shown));

    // The logo's width is a share of the picture's; a tall logo is kept within
    // the picture's height.
    const double logoWidth = image.columns();
    const double logoHeight = image.rows();
    double width = std::max(1.0, std::round(picture.width() * std::min(scale, 100u) / 100.0));
    double height = std::max(1.0, std::round(logoHeight * width / logoWidth));
    if (height > picture.height()) {
        height = picture.height();
        width = std::max(1.0, std::round(logoWidth * height / logoHeight));
    }
    if (unsigned(width) != image.columns() || unsigned(height) != image.rows()) {
        Magick::Geometry size{unsigned(width), unsigned(height)};
        size.aspect(true);
        image.resize(size);
    }
    if (!image.matte())
        image.matte(true);
    return image;
}

void fade(Magick::Image &layer, unsigned opacity)
{
    if (opacity >= 100)
        return;
    layer.matte(true);
    layer.modifyImage();
    const double share = opacity / 100.0;
    const unsigned columns = layer.columns();
    Magick::Pixels view(layer);
    for (unsigned row = 0; row < layer.rows(); ++row) {
        Magick::PixelPacket *pixels = view.get(0, row, columns, 1);
        // Opacity here counts transparency: 0 is opaque.
        for (unsigned x = 0; x < columns; ++x)
            pixels[x].opacity = Magick::Quantum(MaxRGB - (MaxRGB - pixels[x].opacity) * share + 0.5);
        view.sync();
    }
}

QPoint placement(int position, int margin, const QSize &picture, const QSize &layer)
{
    if (position < 0 || position > 8)
        position = 8;
    const auto along = [margin](int place, int room, int size) {
        return place == 0 ? margin : place == 1 ? (room - size) / 2 : room - size - margin;
    };
    return QPoint(along(position % 3, picture.width(), layer.width()),
                  along(position / 3, picture.height(), layer.height()));
}

} // namespace WatermarkLayer
