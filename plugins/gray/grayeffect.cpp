#include "grayeffect.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("GrayEffect", "Effects\\Black & White"),
    QT_TRANSLATE_NOOP("GrayEffect", "Transform form true colors to grayscale colors"),
    7,
    "",
    ""};

GrayEffect::GrayEffect()
    : GrayFrame(filterIdentity)
{
}

void GrayEffect::run(const NoParams &, Magick::Image &image) const
{
    image.type(Magick::GrayscaleType);
}
