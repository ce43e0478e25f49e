#include "gaussianblureffect.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("GaussianBlurEffect", "Effects\\Gaussian Blur"),
    QT_TRANSLATE_NOOP("GaussianBlurEffect", "Make the picture hazy in appearance using the gaussian blur algorithm"),
    6,
    "Width:7,Simga:50",
    "Width:%1,Simga:%2"};

GaussianBlurEffect::GaussianBlurEffect()
    : GaussianBlurFrame(staticMetaObject.className(), filterIdentity)
{
}

void GaussianBlurEffect::run(const GaussianBlurParams &p, Magick::Image &image) const
{
    // With neither a width nor a deviation the library searches for a kernel
    // width forever; a blur of no extent is no blur.
    if (p.Width == 0 && p.Simga == 0)
        return;
    if (kernelSearchRunsAway(p.Width, p.Simga / 10.0))
        return;
    image.gaussianBlur(p.Width, p.Simga / 10.0);
}
