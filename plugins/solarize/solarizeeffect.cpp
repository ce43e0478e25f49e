#include "solarizeeffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("SolarizeEffect", "Effects\\Solarize"),
    QT_TRANSLATE_NOOP("SolarizeEffect", "Make picture look like the photographic film was exposed to light during the development process"),
    12,
    "Value:50",
    "Value:%1"};

SolarizeEffect::SolarizeEffect()
    : SolarizeFrame(filterIdentity)
{
}

void SolarizeEffect::run(const SolarizeParams &p, Magick::Image &image) const
{
    // The threshold is given on the 0..255 scale.
    image.solarize(fromEightBit(p.Value));
}

QString SolarizeEffect::summary(const QString &params) const
{
    SolarizeParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Solarize, amount %1").arg(SummaryText::number(p.Value));
}
