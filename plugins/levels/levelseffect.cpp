#include "levelseffect.h"

#include "channelselector.h"
#include "summarytext.h"

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

QString LevelsEffect::summary(const QString &params) const
{
    LevelsParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    QString channel;
    switch (selectedChannel(p.Channel)) {
    case Magick::RedChannel:
        channel = tr("red");
        break;
    case Magick::GreenChannel:
        channel = tr("green");
        break;
    case Magick::BlueChannel:
        channel = tr("blue");
        break;
    default:
        channel = tr("RGB");
    }
    return tr("Levels (%1): black %2 %, white %3 %, gamma %4")
        .arg(channel, SummaryText::number(p.Black), SummaryText::number(p.White), SummaryText::tenths(p.Mid));
}
