#include "spreadeffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("SpreadEffect", "Effects\\Spread"),
    QT_TRANSLATE_NOOP("SpreadEffect", "Make picture blurry by spreading pixels randomly"),
    14,
    "Amount:10",
    "Amount:%1"};

SpreadEffect::SpreadEffect()
    : SpreadFrame(filterIdentity)
{
}

void SpreadEffect::run(const SpreadParams &p, Magick::Image &image) const
{
    image.spread(unsigned(p.Amount));
}

QString SpreadEffect::summary(const QString &params) const
{
    SpreadParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Spread %1 px").arg(SummaryText::number(p.Amount));
}
