#ifndef GAUSSIANBLUREFFECT_H
#define GAUSSIANBLUREFFECT_H

#include "filterframe.h"

using GaussianBlurFrame = FilterFrame<GaussianBlurParams, &GaussianBlurParams::Width, &GaussianBlurParams::Simga>;

class GaussianBlurEffect : public GaussianBlurFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "gaussianblureffect.json")

public:
    GaussianBlurEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const GaussianBlurParams &p, Magick::Image &image) const override;
};

#endif
