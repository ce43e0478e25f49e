#include "bordereffect.h"

#include <algorithm>

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("BorderEffect", "Effects\\Border"),
    QT_TRANSLATE_NOOP("BorderEffect", "Add a simple border around the picture"),
    2,
    "Type:0,Width:10,Height:10,Color:000000000,Scale:0",
    "Type:0,Width:%1,Height:%2,Color:%3%4%5,Scale:0"};

BorderEffect::BorderEffect()
    : BorderFrame(filterIdentity)
{
}

void BorderEffect::run(const BorderParams &p, Magick::Image &image) const
{
    // Three digits allow up to 999; past 255 the component is simply full.
    const auto sample = [](unsigned component) {
        return Magick::Quantum(fromEightBit(std::min(component, 255u)));
    };
    image.borderColor(Magick::Color(sample(p.Red), sample(p.Green), sample(p.Blue)));
    image.border(Magick::Geometry(p.Width, p.Height, 0, 0));
}

bool BorderEffect::parseRecord(const QString &params, BorderParams &record) const
{
    QStringList values;
    if (!ParamText::splitValues(ParamText::effective(params, defaultParams()), 5, &values))
        return false;
    record.Type = values.at(0);
    record.Width = ParamText::toUnsigned(values.at(1));
    record.Height = ParamText::toUnsigned(values.at(2));
    ParamText::toColour(values.at(3), &record.Red, &record.Green, &record.Blue);
    record.Scale = values.at(4) != QLatin1String("0");
    return true;
}

QString BorderEffect::formatRecord(const BorderParams &record) const
{
    // Type and Scale have no effect and are always written as 0 (the template says so).
    return QString::fromLatin1(identity().formatTemplate)
        .arg(QString::number(record.Width), QString::number(record.Height), ParamText::colourComponent(record.Red),
             ParamText::colourComponent(record.Green), ParamText::colourComponent(record.Blue));
}

QString BorderEffect::summary(const QString &params) const
{
    BorderParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    const QString colour = SummaryText::colour(p.Red, p.Green, p.Blue);
    if (p.Width == p.Height)
        return tr("Border %1 px, %2").arg(SummaryText::number(p.Width), colour);
    return tr("Border %1 × %2 px, %3").arg(SummaryText::number(p.Width), SummaryText::number(p.Height), colour);
}
