#ifndef SUMMARYTEXT_H
#define SUMMARYTEXT_H

// Numbers as a filter's settings in words show them ("Sharpen, radius 3, sigma 1.5"):
// in the user's locale, decimals only where the value has them.

#include <QLocale>
#include <QString>

#include <algorithm>

namespace SummaryText {

inline QString number(long long value)
{
    return QLocale().toString(value);
}

// A value stored in tenths, as the plug-ins keep radii and sigmas.
inline QString tenths(long long value)
{
    return QLocale().toString(double(value) / 10.0, 'g', QLocale::FloatingPointShortest);
}

// A change: "+10", "-20", "0".
inline QString change(int value)
{
    const QString text = number(value);
    return value > 0 ? QLocale().positiveSign() + text : text;
}

// "#RRGGBB" from 8-bit components; a stored value past 255 is full, as the filter reads it.
inline QString colour(unsigned red, unsigned green, unsigned blue)
{
    const auto hex = [](unsigned component) {
        return QStringLiteral("%1").arg(std::min(component, 255u), 2, 16, QLatin1Char('0')).toUpper();
    };
    return QLatin1Char('#') + hex(red) + hex(green) + hex(blue);
}

} // namespace SummaryText

#endif
