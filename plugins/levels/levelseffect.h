#ifndef LEVELSEFFECT_H
#define LEVELSEFFECT_H

#include "filterframe.h"

using LevelsFrame = FilterFrame<LevelsParams, &LevelsParams::Channel, &LevelsParams::Black, &LevelsParams::White, &LevelsParams::Mid>;

class LevelsEffect : public LevelsFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "levelseffect.json")

public:
    LevelsEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const LevelsParams &p, Magick::Image &image) const override;
};

#endif
