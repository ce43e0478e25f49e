#ifndef REDUCENOISEEFFECT_H
#define REDUCENOISEEFFECT_H

#include "filterframe.h"

using ReduceNoiseFrame = FilterFrame<NoParams>;

class ReduceNoiseEffect : public ReduceNoiseFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "reducenoiseeffect.json")

public:
    ReduceNoiseEffect();

protected:
    void run(const NoParams &, Magick::Image &image) const override;
};

#endif
