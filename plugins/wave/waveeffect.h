#ifndef WAVEEFFECT_H
#define WAVEEFFECT_H

#include "filterframe.h"

using WaveFrame = FilterFrame<WaveParams, &WaveParams::Amplitude, &WaveParams::Length>;

class WaveEffect : public WaveFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "waveeffect.json")

public:
    WaveEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const WaveParams &p, Magick::Image &image) const override;
};

#endif
