#ifndef SWIRLEFFECT_H
#define SWIRLEFFECT_H

#include "filterframe.h"

using SwirlFrame = FilterFrame<SwirlParams, &SwirlParams::Degrees>;

class SwirlEffect : public SwirlFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "swirleffect.json")

public:
    SwirlEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const SwirlParams &p, Magick::Image &image) const override;
};

#endif
