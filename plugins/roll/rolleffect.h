#ifndef ROLLEFFECT_H
#define ROLLEFFECT_H

#include "filterframe.h"

using RollFrame = FilterFrame<RollParams, &RollParams::Type, &RollParams::Columns, &RollParams::Rows>;

class RollEffect : public RollFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "rolleffect.json")

public:
    RollEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const RollParams &p, Magick::Image &image) const override;
};

#endif
