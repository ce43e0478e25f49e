#include "spreadeffect.h"

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
