#include "reducenoiseeffect.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("ReduceNoiseEffect", "Touch-Up\\Reduce Noise"),
    QT_TRANSLATE_NOOP("ReduceNoiseEffect", "Reduce noise caused by poor lighting conditions and/or poor digital cameras"),
    0,
    "",
    ""};

ReduceNoiseEffect::ReduceNoiseEffect()
    : ReduceNoiseFrame(filterIdentity)
{
}

void ReduceNoiseEffect::run(const NoParams &, Magick::Image &image) const
{
    image.reduceNoise();
}
