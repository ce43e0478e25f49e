#ifndef BORDEREFFECT_H
#define BORDEREFFECT_H

#include "filterframe.h"

// The colour is one nine-digit item and Type and Scale are text and a flag,
// so this filter reads and writes its string itself.
using BorderFrame = FilterFrame<BorderParams>;

class BorderEffect : public BorderFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "bordereffect.json")

public:
    BorderEffect();
    QString summary(const QString &params) const override;

protected:
    void run(const BorderParams &p, Magick::Image &image) const override;
    bool parseRecord(const QString &params, BorderParams &record) const override;
    QString formatRecord(const BorderParams &record) const override;
};

#endif
