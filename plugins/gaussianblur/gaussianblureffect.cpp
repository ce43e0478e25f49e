#include "gaussianblureffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("GaussianBlurEffect", "Effects\\Gaussian Blur"),
    QT_TRANSLATE_NOOP("GaussianBlurEffect", "Make the picture hazy in appearance using the gaussian blur algorithm"),
    6,
    "Width:7,Simga:50",
    "Width:%1,Simga:%2"};

GaussianBlurEffect::GaussianBlurEffect()
    : GaussianBlurFrame(filterIdentity)
{
}

void GaussianBlurEffect::run(const GaussianBlurParams &p, Magick::Image &image) const
{
    // A blur of no extent is no blur. The library would divide by the zero sigma and
    // turn the picture black, or without a width search for a kernel for ever.
    if (p.Simga == 0)
        return;
    if (kernelSearchRunsAway(p.Width, p.Simga / 10.0) || radiusBeyondAnyPage(p.Width, 10.0))
        return;
    image.gaussianBlur(p.Width, p.Simga / 10.0);
}

QString GaussianBlurEffect::summary(const QString &params) const
{
    GaussianBlurParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Gaussian blur, width %1, sigma %2").arg(SummaryText::number(p.Width), SummaryText::tenths(p.Simga));
}
