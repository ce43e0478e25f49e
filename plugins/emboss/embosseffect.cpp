#include "embosseffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("EmbossEffect", "Effects\\Emboss"),
    QT_TRANSLATE_NOOP("EmbossEffect", "Add a simple emboss around the picture"),
    5,
    "Radius:22,Simga:50",
    "Radius:%1,Simga:%2"};

EmbossEffect::EmbossEffect()
    : EmbossFrame(filterIdentity)
{
}

void EmbossEffect::run(const EmbossParams &p, Magick::Image &image) const
{
    // The library divides by sigma: at 0 it turns every picture black.
    if (p.Simga == 0 || radiusBeyondAnyPage(p.Radius / 10.0, 10.0))
        return;
    image.emboss(p.Radius / 10.0, p.Simga / 10.0);
}

QString EmbossEffect::summary(const QString &params) const
{
    EmbossParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Emboss, radius %1, sigma %2").arg(SummaryText::tenths(p.Radius), SummaryText::tenths(p.Simga));
}
