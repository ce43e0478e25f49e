#ifndef RESIZEEFFECT_H
#define RESIZEEFFECT_H

#include "filterframe.h"

using ResizeFrame = FilterFrame<ResizeParams, &ResizeParams::Type, &ResizeParams::Width, &ResizeParams::Height, &ResizeParams::Radio, &ResizeParams::RadioBy>;

class ResizeEffect : public ResizeFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "resizeeffect.json")

public:
    ResizeEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const ResizeParams &p, Magick::Image &image) const override;
};

#endif
