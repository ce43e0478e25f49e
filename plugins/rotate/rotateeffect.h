#ifndef ROTATEEFFECT_H
#define ROTATEEFFECT_H

#include "filterframe.h"

using RotateFrame = FilterFrame<RotateParams, &RotateParams::Degree>;

class RotateEffect : public RotateFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "rotateeffect.json")

public:
    RotateEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const RotateParams &p, Magick::Image &image) const override;
};

#endif
