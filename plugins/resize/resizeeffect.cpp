#include "resizeeffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("ResizeEffect", "Transform\\Resize"),
    QT_TRANSLATE_NOOP("ResizeEffect", "Adjust image size using pixels or percents"),
    24,
    "Type:0,Width:100,Height:100,Radio:0,RadioBy:0",
    "Type:%1,Width:%2,Height:%3,Radio:%4,RadioBy:%5"};

ResizeEffect::ResizeEffect()
    : ResizeFrame(filterIdentity)
{
}

void ResizeEffect::run(const ResizeParams &p, Magick::Image &image) const
{
    int width = p.Width;
    int height = p.Height;
    if (p.Radio == 1 && p.Type != 1) {
        const double ratio = double(image.columns()) / double(image.rows());
        if (p.RadioBy == 0)
            height = wholePixels(p.Width / ratio);
        else
            width = wholePixels(p.Height * ratio);
    }
    if (p.Type == 1) {
        width = wholePixels(image.columns() * (width / 100.0));
        height = wholePixels(image.rows() * (height / 100.0));
    }
    // "!" takes both sizes as given; scale, not the filtered resize, keeps it fast.
    image.scale(Magick::Geometry(QStringLiteral("%1x%2!").arg(width).arg(height).toStdString()));
}

QString ResizeEffect::summary(const QString &params) const
{
    ResizeParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    if (p.Type == 1) {
        if (p.Width == p.Height)
            return tr("Resize to %1 %").arg(SummaryText::number(p.Width));
        return tr("Resize to %1 % × %2 %").arg(SummaryText::number(p.Width), SummaryText::number(p.Height));
    }
    // With the aspect kept only the leading side counts; the other follows the picture.
    if (p.Radio == 1)
        return p.RadioBy == 0 ? tr("Resize to %1 px wide").arg(SummaryText::number(p.Width))
                              : tr("Resize to %1 px high").arg(SummaryText::number(p.Height));
    return tr("Resize to %1 × %2 px").arg(SummaryText::number(p.Width), SummaryText::number(p.Height));
}
