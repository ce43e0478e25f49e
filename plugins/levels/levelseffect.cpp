#include "levelseffect.h"

#include "channelselector.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("LevelsEffect", "Touch-Up\\Levels"),
    QT_TRANSLATE_NOOP("LevelsEffect", "Adjust levels by scaling the colors falling between specified white and black points to the full available quantum range"),
    20,
    "Channel:0,Black:15,White:40,Mid:9",
    "Channel:%1,Black:%2,White:%3,Mid:%4"};

LevelsEffect::LevelsEffect()
    : LevelsFrame(filterIdentity)
{
}

void LevelsEffect::run(const LevelsParams &p, Magick::Image &image) const
{
    // Black and White are percentages of the sample range, Mid a gamma in tenths.
    // Times 255 / 100 rather than 2.55, which is inexact: White 100 must reach the
    // very top of the range, or a full-range level would darken the brightest samples.
    image.levelChannel(selectedChannel(p.Channel), fromEightBit(p.Black * 255.0 / 100.0),
                       fromEightBit(p.White * 255.0 / 100.0), p.Mid / 10.0);
}
