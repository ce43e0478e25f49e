#ifndef MODULATEEFFECT_H
#define MODULATEEFFECT_H

#include "filterframe.h"

using ModulateFrame = FilterFrame<ModulateParams, &ModulateParams::Hue, &ModulateParams::Saturation, &ModulateParams::Lightness>;

class ModulateEffect : public ModulateFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "modulateeffect.json")

public:
    ModulateEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const ModulateParams &p, Magick::Image &image) const override;
};

#endif
