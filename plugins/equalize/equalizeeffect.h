#ifndef EQUALIZEEFFECT_H
#define EQUALIZEEFFECT_H

#include "filterframe.h"

using EqualizeFrame = FilterFrame<NoParams>;

class EqualizeEffect : public EqualizeFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "equalizeeffect.json")

public:
    EqualizeEffect();

protected:
    void run(const NoParams &, Magick::Image &image) const override;
};

#endif
