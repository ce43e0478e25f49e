#ifndef AUTOCONTRASTEFFECT_H
#define AUTOCONTRASTEFFECT_H

#include "filterframe.h"

using AutoContrastFrame = FilterFrame<NoParams>;

class AutoContrastEffect : public AutoContrastFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "autocontrasteffect.json")

public:
    AutoContrastEffect();

protected:
    void run(const NoParams &, Magick::Image &image) const override;
};

#endif
