#ifndef BLUREFFECT_H
#define BLUREFFECT_H

#include "filterframe.h"

using BlurFrame = FilterFrame<BlurParams, &BlurParams::Value>;

class BlurEffect : public BlurFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "blureffect.json")

public:
    BlurEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const BlurParams &p, Magick::Image &image) const override;
};

#endif
