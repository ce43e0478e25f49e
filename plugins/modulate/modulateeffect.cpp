#include "modulateeffect.h"

#include <cmath>

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("ModulateEffect", "Touch-Up\\Hue/Saturation"),
    QT_TRANSLATE_NOOP("ModulateEffect", "Correct Hue,Saturation and Lightness"),
    19,
    "Hue:10,Saturation:100,Lightness:100",
    "Hue:%1,Saturation:%2,Lightness:%3"};

ModulateEffect::ModulateEffect()
    : ModulateFrame(filterIdentity)
{
}

void ModulateEffect::run(const ModulateParams &p, Magick::Image &image) const
{
    // The record holds changes, the library percentages where 100 keeps a property;
    // adding in floating point keeps extreme values from overflowing. The hue turns
    // once round per 200 percent, and the library unwinds a big turn one round at a
    // time per pixel: a huge Hue would keep it busy for hours. The same turn within
    // one round (the settings' own range of -100..100 is kept as it is) is instant.
    const double hue = std::remainder(double(p.Hue), 200.0);
    image.modulate(p.Lightness + 100.0, p.Saturation + 100.0, hue + 100.0);
}

QString ModulateEffect::summary(const QString &params) const
{
    ModulateParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Hue %1, saturation %2, lightness %3")
        .arg(SummaryText::change(p.Hue), SummaryText::change(p.Saturation), SummaryText::change(p.Lightness));
}
