#include "oilpainteffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("OilPaintEffect", "Effects\\Oil Paint"),
    QT_TRANSLATE_NOOP("OilPaintEffect", "Make picture look like an oil painting"),
    10,
    "Value:30",
    "Value:%1"};

OilPaintEffect::OilPaintEffect()
    : OilPaintFrame(filterIdentity)
{
}

void OilPaintEffect::run(const OilPaintParams &p, Magick::Image &image) const
{
    if (radiusBeyondAnyPage(p.Value / 10.0, 10.0))
        return;
    image.oilPaint(p.Value / 10.0);
}

QString OilPaintEffect::summary(const QString &params) const
{
    OilPaintParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Oil paint, radius %1").arg(SummaryText::tenths(p.Value));
}
