#include "watermarkeffect.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <stdexcept>

#include "watermarklayer.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("WatermarkEffect", "Effects\\Watermark"),
    QT_TRANSLATE_NOOP("WatermarkEffect", "Lay a text or a logo over the picture"),
    28,
    "Kind:0,Text:\u00a9 ,Font:DejaVu Sans,Size:5,Color:255255255,Opacity:50,Position:8,Margin:2,Logo:,Scale:20",
    "Kind:%1,Text:%2,Font:%3,Size:%4,Color:%5%6%7,Opacity:%8,Position:%9,Margin:%10,Logo:%11,Scale:%12"};

// The nine places, in the order of the Position key.
static const char *const placeNames[] = {
    QT_TRANSLATE_NOOP("WatermarkEffect", "top left"),    QT_TRANSLATE_NOOP("WatermarkEffect", "top"),
    QT_TRANSLATE_NOOP("WatermarkEffect", "top right"),   QT_TRANSLATE_NOOP("WatermarkEffect", "left"),
    QT_TRANSLATE_NOOP("WatermarkEffect", "centre"),      QT_TRANSLATE_NOOP("WatermarkEffect", "right"),
    QT_TRANSLATE_NOOP("WatermarkEffect", "bottom left"), QT_TRANSLATE_NOOP("WatermarkEffect", "bottom"),
    QT_TRANSLATE_NOOP("WatermarkEffect", "bottom right")};

constexpr int keyCount = 10;

WatermarkEffect::WatermarkEffect()
    : WatermarkFrame(filterIdentity)
{
}

QString WatermarkEffect::defaultParams() const
{
    // The default text is not Latin-1 text in this source: read it as UTF-8.
    return QString::fromUtf8(identity().defaultParams);
}

QString WatermarkEffect::summary(const QString &params) const
{
    WatermarkParams p;
    if (!parseRecord(params, p))
        return WatermarkFrame::summary(params);
    QString what = p.Kind == 1 ? QFileInfo(p.Logo).fileName() : p.Text.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (what.isEmpty())
        return WatermarkFrame::summary(params);
    constexpr int longest = 32;
    if (what.size() > longest)
        what = what.left(longest - 1) + QChar(0x2026);
    const int place = p.Position >= 0 && p.Position <= 8 ? p.Position : 8;
    return tr("Watermark: %1, %2").arg(what, tr(placeNames[place]));
}

void WatermarkEffect::run(const WatermarkParams &p, Magick::Image &image) const
{
    const QSize picture(int(image.columns()), int(image.rows()));
    if (picture.isEmpty())
        return;
    try {
        // The logo is read even when it would not show, so that a missing one
        // is found on the first picture rather than after the opacity changes.
        Magick::Image layer = p.Kind == 1 ? WatermarkLayer::logo(p.Logo, p.Scale, picture)
                                          : WatermarkLayer::text(p, picture);
        if (!layer.isValid() || p.Opacity == 0)
            return;
        WatermarkLayer::fade(layer, p.Opacity);
        const int shorter = std::min(picture.width(), picture.height());
        const int margin = int(shorter * std::min(p.Margin, 50u) / 100.0 + 0.5);
        const QPoint at = WatermarkLayer::placement(p.Position, margin, picture,
                                                    QSize(int(layer.columns()), int(layer.rows())));
        image.composite(layer, at.x(), at.y(), Magick::OverCompositeOp);
    } catch (const Magick::Error &error) {
        // A watermark left out would pass for one put on: the picture fails.
        throw std::runtime_error(
            tr("The watermark cannot be drawn: %1").arg(QString::fromLocal8Bit(error.what())).toStdString());
    }
}

bool WatermarkEffect::parseRecord(const QString &params, WatermarkParams &record) const
{
    QStringList values;
    if (!ParamText::splitValues(ParamText::effective(params, defaultParams()), keyCount, &values))
        return false;
    record.Kind = ParamText::toSigned(values.at(0));
    record.Text = ParamText::unescaped(values.at(1));
    record.Font = ParamText::unescaped(values.at(2));
    record.Size = ParamText::toUnsigned(values.at(3));
    ParamText::toColour(values.at(4), &record.Red, &record.Green, &record.Blue);
    record.Opacity = ParamText::toUnsigned(values.at(5));
    record.Position = ParamText::toSigned(values.at(6));
    record.Margin = ParamText::toUnsigned(values.at(7));
    record.Logo = ParamText::unescaped(values.at(8));
    record.Scale = ParamText::toUnsigned(values.at(9));
    return true;
}

QString WatermarkEffect::formatRecord(const WatermarkParams &r) const
{
    // Joined, not filled into the template: an escaped text holds "%25", which
    // QString::arg would take for a place of its own.
    using ParamText::escaped;
    return QStringList{QStringLiteral("Kind:") + QString::number(r.Kind),
                       QStringLiteral("Text:") + escaped(r.Text),
                       QStringLiteral("Font:") + escaped(r.Font),
                       QStringLiteral("Size:") + QString::number(r.Size),
                       QStringLiteral("Color:") + ParamText::fromColour(r.Red, r.Green, r.Blue),
                       QStringLiteral("Opacity:") + QString::number(r.Opacity),
                       QStringLiteral("Position:") + QString::number(r.Position),
                       QStringLiteral("Margin:") + QString::number(r.Margin),
                       QStringLiteral("Logo:") + escaped(r.Logo),
                       QStringLiteral("Scale:") + QString::number(r.Scale)}
        .join(QLatin1Char(','));
}
