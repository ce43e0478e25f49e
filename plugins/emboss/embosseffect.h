#ifndef EMBOSSEFFECT_H
#define EMBOSSEFFECT_H

#include "filterframe.h"

using EmbossFrame = FilterFrame<EmbossParams, &EmbossParams::Radius, &EmbossParams::Simga>;

class EmbossEffect : public EmbossFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "embosseffect.json")

public:
    EmbossEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const EmbossParams &p, Magick::Image &image) const override;
};

#endif
