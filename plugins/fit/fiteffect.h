#ifndef FITEFFECT_H
#define FITEFFECT_H

#include "filterframe.h"

using FitFrame = FilterFrame<FitParams, &FitParams::Width, &FitParams::Height, &FitParams::Enlarge, &FitParams::Sharpen>;

// Shrinks a photograph into a box of Width x Height pixels, keeping its shape,
// with a resampling that keeps fine detail (Lanczos), then optionally sharpens
// the result for the screen or print it is made for.
//
// Output sharpening is an unsharp mask of a fixed small kernel (radius 2 px,
// sigma 0.8 px: the detail that the shrinking softened), whose strength is
// Sharpen / 50, so 50 adds the full difference once and 100 twice; differences
// under 2 % of the range are left alone, so that flat areas and noise stay flat.
class FitEffect : public FitFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "fiteffect.json")

public:
    FitEffect();

    QString summary(const QString &params) const override;

    static constexpr double sharpenRadius = 2.0;
    static constexpr double sharpenSigma = 0.8;
    static constexpr double sharpenThreshold = 0.02;
    // The mask's strength for a Sharpen value; 0 for none, values beyond 0..100 pinned.
    static double sharpenAmount(int sharpen);

protected:
    void run(const FitParams &p, Magick::Image &image) const override;
};

#endif
