#ifndef IMPLODEEFFECT_H
#define IMPLODEEFFECT_H

#include "filterframe.h"

using ImplodeFrame = FilterFrame<ImplodeParams, &ImplodeParams::Value>;

class ImplodeEffect : public ImplodeFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "implodeeffect.json")

public:
    ImplodeEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const ImplodeParams &p, Magick::Image &image) const override;
};

#endif
