#include "edgeeffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("EdgeEffect", "Effects\\Edge"),
    QT_TRANSLATE_NOOP("EdgeEffect", "Highlight edges in picture"),
    4,
    "Radius:1",
    "Radius:%1"};

EdgeEffect::EdgeEffect()
    : EdgeFrame(filterIdentity)
{
}

void EdgeEffect::run(const EdgeParams &p, Magick::Image &image) const
{
    if (radiusBeyondAnyPage(p.Radius, 10.0))
        return;
    image.edge(p.Radius);
}

QString EdgeEffect::summary(const QString &params) const
{
    EdgeParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Edge, radius %1").arg(SummaryText::number(p.Radius));
}
