#ifndef FLIPEFFECT_H
#define FLIPEFFECT_H

#include "filterframe.h"

using FlipFrame = FilterFrame<FlipParams, &FlipParams::Vertical, &FlipParams::Horizontal>;

class FlipEffect : public FlipFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "flipeffect.json")

public:
    FlipEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const FlipParams &p, Magick::Image &image) const override;
};

#endif
