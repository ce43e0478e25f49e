#ifndef CONTRASTEFFECT_H
#define CONTRASTEFFECT_H

#include "filterframe.h"

using ContrastFrame = FilterFrame<ContrastParams, &ContrastParams::Contrast, &ContrastParams::Lightness>;

class ContrastEffect : public ContrastFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "contrasteffect.json")

public:
    ContrastEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const ContrastParams &p, Magick::Image &image) const override;
};

#endif
