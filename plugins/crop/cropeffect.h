#ifndef CROPEFFECT_H
#define CROPEFFECT_H

#include "filterframe.h"

using CropFrame = FilterFrame<CropParams, &CropParams::Type, &CropParams::Width, &CropParams::Height, &CropParams::xOffset, &CropParams::yOffset>;

class CropEffect : public CropFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "cropeffect.json")

public:
    CropEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const CropParams &p, Magick::Image &image) const override;
};

#endif
