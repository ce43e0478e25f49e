#include "autocontrasteffect.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("AutoContrastEffect", "Touch-Up\\Auto Contrast"),
    QT_TRANSLATE_NOOP("AutoContrastEffect", "Automatically adjust contrast"),
    17,
    "",
    ""};

AutoContrastEffect::AutoContrastEffect()
    : AutoContrastFrame(filterIdentity)
{
}

void AutoContrastEffect::run(const NoParams &, Magick::Image &image) const
{
    image.normalize();
}
