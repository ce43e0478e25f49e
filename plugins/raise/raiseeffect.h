#ifndef RAISEEFFECT_H
#define RAISEEFFECT_H

#include "filterframe.h"

using RaiseFrame = FilterFrame<RaiseParams, &RaiseParams::Width, &RaiseParams::Raise>;

class RaiseEffect : public RaiseFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "raiseeffect.json")

public:
    RaiseEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const RaiseParams &p, Magick::Image &image) const override;
};

#endif
