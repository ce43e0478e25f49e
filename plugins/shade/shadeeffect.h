#ifndef SHADEEFFECT_H
#define SHADEEFFECT_H

#include "filterframe.h"

using ShadeFrame = FilterFrame<ShadeParams, &ShadeParams::Azimuth, &ShadeParams::Elevation, &ShadeParams::ColorShading>;

class ShadeEffect : public ShadeFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "shadeeffect.json")

public:
    ShadeEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const ShadeParams &p, Magick::Image &image) const override;
};

#endif
