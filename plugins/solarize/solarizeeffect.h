#ifndef SOLARIZEEFFECT_H
#define SOLARIZEEFFECT_H

#include "filterframe.h"

using SolarizeFrame = FilterFrame<SolarizeParams, &SolarizeParams::Value>;

class SolarizeEffect : public SolarizeFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "solarizeeffect.json")

public:
    SolarizeEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const SolarizeParams &p, Magick::Image &image) const override;
};

#endif
