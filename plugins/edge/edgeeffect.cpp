#include "edgeeffect.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("EdgeEffect", "Effects\\Edge"),
    QT_TRANSLATE_NOOP("EdgeEffect", "Highlight edges in picture"),
    4,
    "Radius:1",
    "Radius:%1"};

EdgeEffect::EdgeEffect()
    : EdgeFrame(filterIdentity)
{
}

void EdgeEffect::run(const EdgeParams &p, Magick::Image &image) const
{
    if (radiusBeyondAnyPage(p.Radius, 10.0))
        return;
    image.edge(p.Radius);
}
