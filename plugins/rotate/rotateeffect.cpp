#include "rotateeffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("RotateEffect", "Transform\\Rotate"),
    QT_TRANSLATE_NOOP("RotateEffect", "Rotate by a specified number of degrees"),
    26,
    "Degree:0",
    "Degree:%1", true};

RotateEffect::RotateEffect()
    : RotateFrame(filterIdentity)
{
}

void RotateEffect::run(const RotateParams &p, Magick::Image &image) const
{
    image.rotate(double(p.Degree));
}

QString RotateEffect::summary(const QString &params) const
{
    RotateParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Rotate %1°").arg(SummaryText::number(p.Degree));
}
