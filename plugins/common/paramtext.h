#ifndef PARAMTEXT_H
#define PARAMTEXT_H

// The reading rules every filter shares for its parameter string, e.g.
// "Channel:0,Black:15,White:40,Mid:9". Items count by position, never by key:
// strings stored by earlier versions rely on that. Text that is not a number
// reads as 0 without complaint.

#include <QString>
#include <QStringList>

namespace ParamText {

// The string to parse: the defaults when the given one is empty or blank.
QString effective(const QString &params, const QString &defaults);

// Values of the first keyCount items of a multi-key string. False when there are
// fewer items or an item has no ':' - a string the plug-ins never write.
bool splitValues(const QString &params, int keyCount, QStringList *values);

// The value of a one-key string, which is never split at ','. False without ':'.
bool singleValue(const QString &params, QString *value);

int toSigned(const QString &text);
unsigned toUnsigned(const QString &text);
// Reads a floating-point number and keeps its integer part (toward zero).
int toTruncated(const QString &text);

// "RRRGGGBBB" with three digits each.
void toColour(const QString &text, unsigned *red, unsigned *green, unsigned *blue);
QString fromColour(unsigned red, unsigned green, unsigned blue);
// One component as written there: at least three digits, leading zeros.
QString colourComponent(unsigned value);

// Text values (a watermark's words, a file's path) inside a parameter string.
// The characters the string's grammar or its carriers give a meaning to are
// written as '%' and two upper-case hex digits of their code: '%' itself, ','
// and ':' (the item and key separators), '=' (kelvarine-batch's --filter
// NAME=PARAMS), and every control character (a newline would not survive an
// XML attribute or a line of a shell script). Everything else, any Unicode
// included, is written as it is, so a stored string stays readable.
// unescaped() turns back a '%' followed by two hex digits of an ASCII code; any
// other '%' stays as it was typed, so a hand-written "50%" reads fine.
// unescaped(escaped(s)) == s for every string.
QString escaped(const QString &text);
QString unescaped(const QString &text);

} // namespace ParamText

#endif
