#include "raiseeffect.h"

#include "summarytext.h"

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

QString RaiseEffect::summary(const QString &params) const
{
    RaiseParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    const QString width = SummaryText::number(p.Width);
    return p.Raise != 0 ? tr("Raised edge, %1 px").arg(width) : tr("Lowered edge, %1 px").arg(width);
}
