#include "blureffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("BlurEffect", "Effects\\Blur"),
    QT_TRANSLATE_NOOP("BlurEffect", "Make picture hazy in appearance"),
    1,
    "Value:50",
    "Value:%1"};

BlurEffect::BlurEffect()
    : BlurFrame(filterIdentity)
{
}

void BlurEffect::run(const BlurParams &p, Magick::Image &image) const
{
    // The settings page offers 0.1 to 10.0; anything else is not a blur asked for.
    if (p.Value < 1 || p.Value > 100)
        return;
    image.blur(0.0, p.Value / 10.0);
}

QString BlurEffect::summary(const QString &params) const
{
    BlurParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    // run() leaves the picture alone outside 1..100.
    if (p.Value < 1 || p.Value > 100)
        return tr("Blur: no change");
    return tr("Blur, sigma %1").arg(SummaryText::tenths(p.Value));
}
