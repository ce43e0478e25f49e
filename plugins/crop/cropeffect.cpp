#include "cropeffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("CropEffect", "Transform\\Crop"),
    QT_TRANSLATE_NOOP("CropEffect", "Cut a rectangular subregion from the image"),
    23,
    "Type:0,Width:100,Height:100,xOffset:0,yOffset:0",
    "Type:%1,Width:%2,Height:%3,xOffset:%4,yOffset:%5"};

CropEffect::CropEffect()
    : CropFrame(filterIdentity)
{
}

void CropEffect::run(const CropParams &p, Magick::Image &image) const
{
    int width = p.Width;
    int height = p.Height;
    int x = p.xOffset;
    int y = p.yOffset;
    if (p.Type != 0) {
        width = wholePixels(image.columns() * (p.Width / 100.0));
        height = wholePixels(image.rows() * (p.Height / 100.0));
        x = wholePixels(image.columns() * (p.xOffset / 100.0));
        y = wholePixels(image.rows() * (p.yOffset / 100.0));
    }
    // Pixel values go to the library unchecked; it rejects what it cannot cut.
    image.crop(Magick::Geometry(unsigned(width), unsigned(height), unsigned(x), unsigned(y)));
}

QString CropEffect::summary(const QString &params) const
{
    CropParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    const QString width = SummaryText::number(p.Width);
    const QString height = SummaryText::number(p.Height);
    const QString left = SummaryText::number(p.xOffset);
    const QString top = SummaryText::number(p.yOffset);
    if (p.Type == 0)
        return tr("Crop to %1 × %2 px at %3, %4").arg(width, height, left, top);
    return tr("Crop to %1 % × %2 % at %3 %, %4 %").arg(width, height, left, top);
}
