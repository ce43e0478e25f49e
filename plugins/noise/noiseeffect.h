#ifndef NOISEEFFECT_H
#define NOISEEFFECT_H

#include "filterframe.h"

using NoiseFrame = FilterFrame<NoiseParams, &NoiseParams::Method>;

class NoiseEffect : public NoiseFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "noiseeffect.json")

public:
    NoiseEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const NoiseParams &p, Magick::Image &image) const override;
};

#endif
