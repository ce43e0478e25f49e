#include "paramtext.h"

#include <cmath>
#include <limits>

namespace ParamText {

QString effective(const QString &params, const QString &defaults)
{
    // Only the test trims: a string with content is parsed as it came, and
    // the number conversion copes with blanks around a value.
    return params.trimmed().isEmpty() ? defaults : params;
}

bool splitValues(const QString &params, int keyCount, QStringList *values)
{
    const QStringList items = params.split(QLatin1Char(','));
    if (items.size() < keyCount)
        return false;
    values->clear();
    for (int i = 0; i < keyCount; ++i) {
        if (!items.at(i).contains(QLatin1Char(':')))
            return false;
        values->append(items.at(i).section(QLatin1Char(':'), 1, 1));
    }
    return true;
}

bool singleValue(const QString &params, QString *value)
{
    if (!params.contains(QLatin1Char(':')))
        return false;
    *value = params.section(QLatin1Char(':'), 1, 1);
    return true;
}

int toSigned(const QString &text)
{
    return text.trimmed().toInt(nullptr, 10);
}

unsigned toUnsigned(const QString &text)
{
    return text.trimmed().toUInt(nullptr, 10);
}

int toTruncated(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    // A number beyond int cannot be truncated into one; treat it as text that
    // does not convert rather than invoke undefined behaviour.
    const double truncated = std::trunc(value);
    if (truncated < std::numeric_limits<int>::min() || truncated > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(truncated);
}

void toColour(const QString &text, unsigned *red, unsigned *green, unsigned *blue)
{
    *red = toUnsigned(text.left(3));
    *green = toUnsigned(text.mid(3, 3));
    *blue = toUnsigned(text.right(3));
}

QString fromColour(unsigned red, unsigned green, unsigned blue)
{
    return colourComponent(red) + colourComponent(green) + colourComponent(blue);
}

QString colourComponent(unsigned value)
{
    return QStringLiteral("%1").arg(value, 3, 10, QLatin1Char('0'));
}

} // namespace ParamText
