#include "swirleffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("SwirlEffect", "Effects\\Swirl"),
    QT_TRANSLATE_NOOP("SwirlEffect", "Create a twisting motion"),
    15,
    "Degrees:100",
    "Degrees:%1"};

SwirlEffect::SwirlEffect()
    : SwirlFrame(filterIdentity)
{
}

void SwirlEffect::run(const SwirlParams &p, Magick::Image &image) const
{
    image.swirl(p.Degrees);
}

QString SwirlEffect::summary(const QString &params) const
{
    SwirlParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Swirl %1°").arg(SummaryText::number(p.Degrees));
}
