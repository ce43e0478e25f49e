#include "fiteffect.h"

#include <algorithm>

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("FitEffect", "Transform\\Fit"),
    QT_TRANSLATE_NOOP("FitEffect", "Fit within a box keeping the aspect ratio, with fine resampling and optional sharpening"),
    27,
    "Width:1600,Height:1600,Enlarge:0,Sharpen:0",
    "Width:%1,Height:%2,Enlarge:%3,Sharpen:%4"};

FitEffect::FitEffect()
    : FitFrame(filterIdentity)
{
}

double FitEffect::sharpenAmount(int sharpen)
{
    return std::clamp(sharpen, 0, 100) / 50.0;
}

QString FitEffect::summary(const QString &params) const
{
    FitParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    QString text = tr("Fit within %1 × %2").arg(p.Width).arg(p.Height);
    if (sharpenAmount(p.Sharpen) > 0.0)
        text += tr(", sharpen %1").arg(std::clamp(p.Sharpen, 0, 100));
    if (p.Enlarge == 1)
        text += tr(", may enlarge");
    return text;
}

void FitEffect::run(const FitParams &p, Magick::Image &image) const
{
    // A box without area holds no picture; like a resize to nothing, it is left undone.
    if (p.Width <= 0 || p.Height <= 0)
        return;
    Magick::Geometry box(unsigned(p.Width), unsigned(p.Height));
    // ">" lets the library shrink only; a picture within the box keeps every pixel.
    box.greater(p.Enlarge != 1);
    image.filterType(Magick::LanczosFilter);
    image.resize(box);
    const double amount = sharpenAmount(p.Sharpen);
    if (amount > 0.0)
        image.unsharpmask(sharpenRadius, sharpenSigma, amount, sharpenThreshold);
}
