#ifndef EDGEEFFECT_H
#define EDGEEFFECT_H

#include "filterframe.h"

using EdgeFrame = FilterFrame<EdgeParams, &EdgeParams::Radius>;

class EdgeEffect : public EdgeFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "edgeeffect.json")

public:
    EdgeEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const EdgeParams &p, Magick::Image &image) const override;
};

#endif
