#include "contrasteffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("ContrastEffect", "Touch-Up\\Contrast"),
    QT_TRANSLATE_NOOP("ContrastEffect", "Enhance the intensity differences between the lighter and darker pixels"),
    18,
    "Contrast:0,Lightness:0",
    "Contrast:%1,Lightness:%2"};

ContrastEffect::ContrastEffect()
    : ContrastFrame(filterIdentity)
{
}

void ContrastEffect::run(const ContrastParams &p, Magick::Image &image) const
{
    // Contrast raises the black point and Lightness lowers the white point, both on
    // the 0..255 scale. Subtracting in floating point keeps extreme values defined.
    image.levelChannel(Magick::AllChannels, fromEightBit(p.Contrast), fromEightBit(255.0 - p.Lightness), 1.0);
}

QString ContrastEffect::summary(const QString &params) const
{
    ContrastParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Contrast %1, lightness %2").arg(SummaryText::change(p.Contrast), SummaryText::change(p.Lightness));
}
