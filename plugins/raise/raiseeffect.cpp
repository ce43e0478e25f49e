#include "raiseeffect.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("RaiseEffect", "Effects\\Raise"),
    QT_TRANSLATE_NOOP("RaiseEffect", "Lighten or darken picture edges to give a 3D raised or lowered effect"),
    11,
    "Width:30,Raise:0",
    "Width:%1,Raise:%2"};

RaiseEffect::RaiseEffect()
    : RaiseFrame(filterIdentity)
{
}

void RaiseEffect::run(const RaiseParams &p, Magick::Image &image) const
{
    // One width serves both edges; 0 means a lowered frame.
    image.raise(Magick::Geometry(p.Width, p.Width, 0, 0), p.Raise != 0);
}
