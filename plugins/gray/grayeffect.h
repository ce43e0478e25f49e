#ifndef GRAYEFFECT_H
#define GRAYEFFECT_H

#include "filterframe.h"

using GrayFrame = FilterFrame<NoParams>;

class GrayEffect : public GrayFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "grayeffect.json")

public:
    GrayEffect();

protected:
    void run(const NoParams &, Magick::Image &image) const override;
};

#endif
