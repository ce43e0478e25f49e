#include "sharpeneffect.h"

#include "channelselector.h"
#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("SharpenEffect", "Touch-Up\\Sharpen"),
    QT_TRANSLATE_NOOP("SharpenEffect", "Sharpen picture by enhancing the edges'contrast"),
    21,
    "Channel:0,Radius:3,Sigma:10",
    "Channel:%1,Radius:%2,Sigma:%3"};

SharpenEffect::SharpenEffect()
    : SharpenFrame(filterIdentity)
{
}

void SharpenEffect::run(const SharpenParams &p, Magick::Image &image) const
{
    // The library divides by sigma: with 0 it turns the picture black, and without
    // a radius it never returns. A Gaussian of width 0 has nothing to sharpen.
    if (p.Sigma == 0 || kernelSearchRunsAway(p.Radius, p.Sigma / 10.0) || radiusBeyondAnyPage(p.Radius, 16.0))
        return;
    image.sharpenChannel(selectedChannel(p.Channel), p.Radius, p.Sigma / 10.0);
}

QString SharpenEffect::summary(const QString &params) const
{
    SharpenParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    const QString radius = SummaryText::number(p.Radius);
    const QString sigma = SummaryText::tenths(p.Sigma);
    switch (selectedChannel(p.Channel)) {
    case Magick::RedChannel:
        return tr("Sharpen red, radius %1, sigma %2").arg(radius, sigma);
    case Magick::GreenChannel:
        return tr("Sharpen green, radius %1, sigma %2").arg(radius, sigma);
    case Magick::BlueChannel:
        return tr("Sharpen blue, radius %1, sigma %2").arg(radius, sigma);
    default:
        return tr("Sharpen, radius %1, sigma %2").arg(radius, sigma);
    }
}
