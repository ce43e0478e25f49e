#ifndef OILPAINTEFFECT_H
#define OILPAINTEFFECT_H

#include "filterframe.h"

using OilPaintFrame = FilterFrame<OilPaintParams, &OilPaintParams::Value>;

class OilPaintEffect : public OilPaintFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "oilpainteffect.json")

public:
    OilPaintEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const OilPaintParams &p, Magick::Image &image) const override;
};

#endif
