#include "charcoaleffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("CharcoalEffect", "Effects\\Charcoal"),
    QT_TRANSLATE_NOOP("CharcoalEffect", "Transform picture to a charcoal sketch"),
    3,
    "Radius:10,Simga:50",
    "Radius:%1,Simga:%2"};

CharcoalEffect::CharcoalEffect()
    : CharcoalFrame(filterIdentity)
{
}

void CharcoalEffect::run(const CharcoalParams &p, Magick::Image &image) const
{
    // The library divides by sigma: at 0 it turns every picture white.
    if (p.Simga == 0)
        return;
    if (kernelSearchRunsAway(p.Radius / 10.0, p.Simga / 10.0) || radiusBeyondAnyPage(p.Radius / 10.0, 10.0))
        return;
    image.charcoal(p.Radius / 10.0, p.Simga / 10.0);
}

QString CharcoalEffect::summary(const QString &params) const
{
    CharcoalParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Charcoal, radius %1, sigma %2").arg(SummaryText::tenths(p.Radius), SummaryText::tenths(p.Simga));
}
