#include "equalizeeffect.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("EqualizeEffect", "Touch-Up\\Equalize"),
    QT_TRANSLATE_NOOP("EqualizeEffect", "Apply histogram equalization"),
    0,
    "",
    ""};

EqualizeEffect::EqualizeEffect()
    : EqualizeFrame(filterIdentity)
{
}

void EqualizeEffect::run(const NoParams &, Magick::Image &image) const
{
    image.equalize();
}
