#include "shadeeffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("ShadeEffect", "Effects\\Shade"),
    QT_TRANSLATE_NOOP("ShadeEffect", "Make picture look like a sculpture in grayscale or true colors"),
    13,
    "Azimuth:30,Elevation:30,ColorShading:1",
    "Azimuth:%1,Elevation:%2,ColorShading:%3"};

ShadeEffect::ShadeEffect()
    : ShadeFrame(filterIdentity)
{
}

void ShadeEffect::run(const ShadeParams &p, Magick::Image &image) const
{
    image.shade(p.Azimuth, p.Elevation, p.ColorShading != 0);
}

QString ShadeEffect::summary(const QString &params) const
{
    ShadeParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Shade, azimuth %1°, elevation %2°")
        .arg(SummaryText::number(p.Azimuth), SummaryText::number(p.Elevation));
}
