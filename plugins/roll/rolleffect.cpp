#include "rolleffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("RollEffect", "Transform\\Roll"),
    QT_TRANSLATE_NOOP("RollEffect", "Roll vertically and/or horizontally by a specified number of columns and rows"),
    25,
    "Type:0,Columns:100,Rows:100",
    "Type:%1,Columns:%2,Rows:%3"};

RollEffect::RollEffect()
    : RollFrame(filterIdentity)
{
}

void RollEffect::run(const RollParams &p, Magick::Image &image) const
{
    unsigned columns = unsigned(p.Columns);
    unsigned rows = unsigned(p.Rows);
    if (p.Type != 0) {
        // Whole-number arithmetic: product first, the division drops the remainder.
        columns = unsigned(image.columns()) * unsigned(p.Columns) / 100u;
        rows = unsigned(image.rows()) * unsigned(p.Rows) / 100u;
    }
    image.roll(columns, rows);
}

QString RollEffect::summary(const QString &params) const
{
    RollParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    const QString columns = SummaryText::number(p.Columns);
    const QString rows = SummaryText::number(p.Rows);
    if (p.Type == 0)
        return tr("Roll %1 px across, %2 px down").arg(columns, rows);
    return tr("Roll %1 % across, %2 % down").arg(columns, rows);
}
