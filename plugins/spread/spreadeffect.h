#ifndef SPREADEFFECT_H
#define SPREADEFFECT_H

#include "filterframe.h"

using SpreadFrame = FilterFrame<SpreadParams, &SpreadParams::Amount>;

class SpreadEffect : public SpreadFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "spreadeffect.json")

public:
    SpreadEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const SpreadParams &p, Magick::Image &image) const override;
};

#endif
