#include "waveeffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("WaveEffect", "Effects\\Wave"),
    QT_TRANSLATE_NOOP("WaveEffect", "Create waves"),
    16,
    "Amplitude:25,Length:15",
    "Amplitude:%1,Length:%2"};

WaveEffect::WaveEffect()
    : WaveFrame(filterIdentity)
{
}

void WaveEffect::run(const WaveParams &p, Magick::Image &image) const
{
    // The length is kept in tens of pixels.
    image.wave(p.Amplitude, double(p.Length * 10));
}

QString WaveEffect::summary(const QString &params) const
{
    WaveParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    return tr("Wave, amplitude %1 px, length %2 px")
        .arg(SummaryText::number(p.Amplitude), SummaryText::number(10LL * p.Length));
}
