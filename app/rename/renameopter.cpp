#include "renameopter.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace {

// Compiled before first use, so that threads naming pictures at the same time
// only ever read the shared expressions.
QRegularExpression compiled(const QString &pattern)
{
    QRegularExpression expression(pattern);
    expression.optimize();
    return expression;
}

// Tag shapes. Numbers are plain ASCII decimal; a counter field may be empty (0).
const QRegularExpression caseTag = compiled(QStringLiteral("\\[Case_([0-9])_([01])\\]"));
const QRegularExpression counterTag = compiled(QStringLiteral("\\[Counter_([0-9]*)_([0-9]*)_([0-9]*)\\]"));
const QRegularExpression dateTag = compiled(QStringLiteral("\\[Date_([0-9]+)_([0-9]+)_([0-9]+)_([0-9]+)\\]"));
const QLatin1String replaceTagStart("[Replace_");

// No file system takes a longer name, and a padding width read from a project
// file must not make the program build a string of gigabytes.
constexpr unsigned maxNameLength = 255;

unsigned number(const QRegularExpressionMatch &match, int field)
{
    return match.captured(field).toUInt(); // empty or out of range: 0
}

// The month name is the system language's, the digits are not: the system's own
// formatting would write the digits of some languages in their own script, and
// the name would change with the user's language and mix scripts with the time.
// Abbreviations such as German "Jan." lose their dot: the base name of an output
// ends at its first dot, so every picture of a batch would otherwise be called "Jan".
QString dateText(const QDate &date, QString pattern)
{
    QString month = QLocale::system().monthName(date.month(), QLocale::ShortFormat);
    month.remove(QLatin1Char('.'));
    month.replace(QLatin1Char('\''), QLatin1String("''"));
    pattern.replace(QLatin1String("MMM"), QLatin1Char('\'') + month + QLatin1Char('\''));
    return date.toString(pattern);
}

} // namespace

RenameOpter &RenameOpter::instance()
{
    static RenameOpter engine;
    return engine;
}

QString RenameOpter::defaultFormat()
{
    return QStringLiteral("[FileName]");
}

const QStringList &RenameOpter::dateFormats()
{
    static const QStringList formats = QStringLiteral(
        "MMM-dd-yyyy,MMM-dd-yy,dd-MMM-yyyy,dd-MMM-yy,yyyy-MMM-dd,yy-MMM-dd,"
        "MM-dd-yyyy,MM-dd-yy,dd-MM-yyyy,dd-MM-yy,yyyy-MM-dd,yy-MM-dd").split(QLatin1Char(','));
    return formats;
}

const QStringList &RenameOpter::timeFormats()
{
    static const QStringList formats = QStringLiteral("hh-mm,hh-mm-ss").split(QLatin1Char(','));
    return formats;
}

void RenameOpter::setFormat(const QString &format)
{
    workingTemplate = format;

    const QRegularExpressionMatch caseMatch = caseTag.match(workingTemplate);
    caseMode = caseMatch.hasMatch() ? number(caseMatch, 1) : 0;
    lowerExtension = caseMatch.hasMatch() ? number(caseMatch, 2) : 0;
    workingTemplate.remove(caseTag);

    // Counter and date settings survive a template without such a tag; they are
    // only read where the tag is present.
    const QRegularExpressionMatch counterMatch = counterTag.match(workingTemplate);
    if (counterMatch.hasMatch()) {
        counterStart = number(counterMatch, 1);
        counterStep = number(counterMatch, 2);
        counterDigits = number(counterMatch, 3);
    }
    const QRegularExpressionMatch dateMatch = dateTag.match(workingTemplate);
    if (dateMatch.hasMatch()) {
        dateSource = number(dateMatch, 1);
        dateFormat = number(dateMatch, 2);
        timeMode = number(dateMatch, 3);
        timeFormat = number(dateMatch, 4);
    }

    // The replace tag reaches to the last "]", so that a search text or a
    // replacement may itself hold brackets; the dialog always puts it last.
    searchText.clear();
    replaceText.clear();
    const int start = workingTemplate.indexOf(replaceTagStart);
    const int end = workingTemplate.lastIndexOf(QLatin1Char(']'));
    if (start >= 0 && end > start) {
        const QString fields = workingTemplate.mid(start + replaceTagStart.size(),
                                                   end - start - replaceTagStart.size());
        if (fields.contains(QLatin1Char('_'))) {
            searchText = fields.left(fields.indexOf(QLatin1Char('_')));
            replaceText = fields.mid(fields.lastIndexOf(QLatin1Char('_')) + 1);
            workingTemplate.remove(start, end - start + 1);
        }
    }
}

QString RenameOpter::newName(const QString &sourcePath, int index) const
{
    const QFileInfo source(sourcePath);
    if (!source.isFile())
        return QString();

    QString name = workingTemplate;
    name.replace(QLatin1String("[FileName]"), source.baseName());
    name.replace(QLatin1String("[FolderName]"), source.absoluteDir().dirName());
    name.replace(QLatin1String("[Extension]"), source.suffix());

    const QRegularExpressionMatch counterMatch = counterTag.match(name);
    if (counterMatch.hasMatch()) {
        // Signed 32-bit arithmetic that wraps instead of overflowing.
        const auto value = qint32(quint32(counterStart) + quint32(index) * quint32(counterStep));
        const int width = int(qMin(counterDigits, maxNameLength));
        name.replace(counterMatch.captured(0), QString::number(value).rightJustified(width, QLatin1Char('0')));
    }

    const QRegularExpressionMatch dateMatch = dateTag.match(name);
    if (dateMatch.hasMatch()) {
        // One reading of the clock, so date and time cannot straddle midnight.
        const QDateTime when = dateSource == 0 ? source.lastModified() : QDateTime::currentDateTime();
        QString text = dateText(when.date(), dateFormats().value(int(dateFormat), dateFormats().first()));
        if (timeMode != 2) {
            QString pattern = timeFormats().value(int(timeFormat), timeFormats().first());
            if (timeMode == 0)
                pattern += QLatin1String(" AP");
            // QTime's own formatting: "AM"/"PM" whatever the system language.
            text += QLatin1Char(' ') + when.time().toString(pattern);
        }
        name.replace(dateMatch.captured(0), text);
    }

    if (!searchText.isEmpty())
        name.replace(searchText, replaceText, Qt::CaseSensitive);

    switch (caseMode) {
    case 1:
        name = name.toLower();
        break;
    case 2:
        name = name.toUpper();
        break;
    case 3:
        name = name.toLower();
        name = name.left(1).toUpper() + name.mid(1);
        break;
    default:
        break;
    }

    const QString extension = lowerExtension == 1 ? source.suffix().toLower() : source.suffix();
    return name + QLatin1Char('.') + extension;
}
