#ifndef SHARPENEFFECT_H
#define SHARPENEFFECT_H

#include "filterframe.h"

using SharpenFrame = FilterFrame<SharpenParams, &SharpenParams::Channel, &SharpenParams::Radius, &SharpenParams::Sigma>;

class SharpenEffect : public SharpenFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "sharpeneffect.json")

public:
    SharpenEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const SharpenParams &p, Magick::Image &image) const override;
};

#endif
