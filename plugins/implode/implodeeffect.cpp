#include "implodeeffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("ImplodeEffect", "Effects\\Implode"),
    QT_TRANSLATE_NOOP("ImplodeEffect", "Implode special effect"),
    8,
    "Value:6",
    "Value:%1"};

ImplodeEffect::ImplodeEffect()
    : ImplodeFrame(filterIdentity)
{
}

void ImplodeEffect::run(const ImplodeParams &p, Magick::Image &image) const
{
    image.implode(p.Value / 10.0);
}

QString ImplodeEffect::summary(const QString &params) const
{
    ImplodeParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Implode, amount %1").arg(SummaryText::tenths(p.Value));
}
