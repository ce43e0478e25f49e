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

static bool isReserved(char16_t c)
{
    return c < 0x20 || c == 0x7f || c == u'%' || c == u',' || c == u':' || c == u'=';
}

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (isReserved(c.unicode()))
            out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += c;
    }
    return out;
}

static int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

QString unescaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('%') && i + 2 < text.size()) {
            const int high = hexDigit(text.at(i + 1));
            const int low = hexDigit(text.at(i + 2));
            // Only ASCII codes: a stray '%' before other digits is text.
            if (high >= 0 && high < 8 && low >= 0) {
                out += QChar(char16_t(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out += text.at(i);
    }
    return out;
}

} // namespace ParamText
