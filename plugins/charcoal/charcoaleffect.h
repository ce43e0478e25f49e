#ifndef CHARCOALEFFECT_H
#define CHARCOALEFFECT_H

#include "filterframe.h"

using CharcoalFrame = FilterFrame<CharcoalParams, &CharcoalParams::Radius, &CharcoalParams::Simga>;

class CharcoalEffect : public CharcoalFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "charcoaleffect.json")

public:
    CharcoalEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const CharcoalParams &p, Magick::Image &image) const override;
};

#endif
