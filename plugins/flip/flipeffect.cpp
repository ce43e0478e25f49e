#include "flipeffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("FlipEffect", "Transform\\Flip"),
    QT_TRANSLATE_NOOP("FlipEffect", "Flip picture in vertical and/or horizontal direction"),
    22,
    "Vertical:0,Horizontal:0",
    "Vertical:%1,Horizontal:%2"};

FlipEffect::FlipEffect()
    : FlipFrame(filterIdentity)
{
}

void FlipEffect::run(const FlipParams &p, Magick::Image &image) const
{
    if (p.Vertical == 1)
        image.flip();
    if (p.Horizontal == 1)
        image.flop();
}

QString FlipEffect::summary(const QString &params) const
{
    FlipParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    // Only 1 flips, as run() reads it.
    if (p.Vertical == 1 && p.Horizontal == 1)
        return tr("Flip vertically and horizontally");
    if (p.Vertical == 1)
        return tr("Flip vertically");
    if (p.Horizontal == 1)
        return tr("Flip horizontally");
    return tr("Flip: no change");
}
