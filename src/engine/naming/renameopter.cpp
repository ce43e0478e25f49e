#include "engine/naming/renameopter.h"

#include <QCoreApplication>
#include <QList>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

#include "engine/metadata/picturefacts.h"
#include "engine/naming/renametags.h"

namespace {

using RenameTags::number;

// No file system takes a longer name, and a padding width read from a project
// file must not make the program build a string of gigabytes.
constexpr unsigned maxNameLength = RenameOpter::maxNameBytes;

// While a name is built, a step may make it longer than it ends up (a replacement
// can shorten it again), but never beyond this: every step's result is measured
// before it is made, so no template can make the work grow beyond it.
constexpr qsizetype maxWorkingLength = 4 * RenameOpter::maxNameBytes;

// Length of `text` once every `search` in it is replaced by `length` characters.
qsizetype replacedLength(const QString &text, const QString &search, qsizetype length)
{
    if (search.isEmpty())
        return text.size();
    return text.size() + text.count(search) * (length - search.size());
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

// What a picture's EXIF says goes into a name as written there, except what would
// leave the output folder or the name itself: separators and control characters.
QString nameSafe(QString text)
{
    for (QChar &c : text) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    return text;
}

} // namespace

RenameOpter::RenameOpter()
    : RenameOpter(defaultFormat())
{
}

RenameOpter::RenameOpter(const QString &format)
{
    setFormat(format);
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
    fullTemplate = format;
    workingTemplate = format;

    const QRegularExpressionMatch caseMatch = RenameTags::caseTag().match(workingTemplate);
    caseMode = caseMatch.hasMatch() ? number(caseMatch, 1) : 0;
    lowerExtension = caseMatch.hasMatch() ? number(caseMatch, 2) : 0;
    workingTemplate.remove(RenameTags::caseTag());

    // Counter and date settings survive a template without such a tag; they are
    // only read where the tag is present.
    const QRegularExpressionMatch counterMatch = RenameTags::counterTag().match(workingTemplate);
    if (counterMatch.hasMatch()) {
        counterStart = number(counterMatch, 1);
        counterStep = number(counterMatch, 2);
        counterDigits = number(counterMatch, 3);
    }
    const QRegularExpressionMatch dateMatch = RenameTags::dateTag().match(workingTemplate);
    if (dateMatch.hasMatch()) {
        dateSource = number(dateMatch, 1);
        dateFormat = number(dateMatch, 2);
        timeMode = number(dateMatch, 3);
        timeFormat = number(dateMatch, 4);
    }

    // The replace tag reaches to the last "]", so that a search text or a
    // replacement may itself hold brackets; the dialog always puts it last.
    const RenameTags::ReplaceTag replace = RenameTags::replaceTag(workingTemplate);
    searchText = replace.search;
    replaceText = replace.replacement;
    if (replace.start >= 0)
        workingTemplate.remove(replace.start, replace.length);

    // The picture's EXIF is read only for a template that uses it.
    needsFacts = (dateMatch.hasMatch() && dateSource == takenDate)
                 || std::any_of(RenameTags::cameraTags().cbegin(), RenameTags::cameraTags().cend(),
                                [this](const RenameTags::CameraTag &tag) { return workingTemplate.contains(tag.keyword); });
}

qint32 RenameOpter::counterAt(int index) const
{
    // Signed 32-bit arithmetic that wraps instead of overflowing.
    return qint32(quint32(counterStart) + quint32(index) * quint32(counterStep));
}

std::optional<qint32> RenameOpter::counterValue(int index) const
{
    if (!RenameTags::counterTag().match(workingTemplate).hasMatch())
        return std::nullopt;
    return counterAt(index);
}

Result<QString> RenameOpter::newName(const QString &sourcePath, int index) const
{
    const QFileInfo source(sourcePath);
    if (!source.exists())
        return Failure{QCoreApplication::translate("RenameOpter", "%1 does not exist").arg(QDir::toNativeSeparators(sourcePath))};
    // A folder, a FIFO or a device: never a picture.
    if (!source.isFile())
        return Failure{QCoreApplication::translate("RenameOpter", "%1 is not a picture file").arg(QDir::toNativeSeparators(sourcePath))};

    bool tooLong = false;
    // Replaces every `search` in `name`, unless the result would pass the bound.
    auto replace = [&](QString &name, const QString &search, const QString &text, qsizetype bound) {
        if (tooLong || search.isEmpty() || !name.contains(search))
            return;
        if (replacedLength(name, search, text.size()) > bound) {
            tooLong = true;
            return;
        }
        name.replace(search, text, Qt::CaseSensitive);
    };

    QString name = workingTemplate;
    tooLong = name.size() > maxWorkingLength;
    replace(name, QStringLiteral("[FileName]"), source.baseName(), maxWorkingLength);
    replace(name, QStringLiteral("[FolderName]"), source.absoluteDir().dirName(), maxWorkingLength);
    replace(name, QStringLiteral("[Extension]"), source.suffix(), maxWorkingLength);

    const PictureFacts facts = needsFacts ? PictureFacts::read(sourcePath) : PictureFacts();

    const QRegularExpressionMatch counterMatch = tooLong ? QRegularExpressionMatch() : RenameTags::counterTag().match(name);
    if (counterMatch.hasMatch()) {
        const qint32 value = counterAt(index);
        const int width = int(qMin(counterDigits, maxNameLength));
        replace(name, counterMatch.captured(0), QString::number(value).rightJustified(width, QLatin1Char('0')),
                maxWorkingLength);
    }

    const QRegularExpressionMatch dateMatch = tooLong ? QRegularExpressionMatch() : RenameTags::dateTag().match(name);
    if (dateMatch.hasMatch()) {
        // One reading of the clock, so date and time cannot straddle midnight.
        // Sources other than these three mean the clock, as they always have.
        const QDateTime when = dateSource == 0           ? source.lastModified()
                               : dateSource == takenDate ? facts.takenOrModified(sourcePath)
                                                         : QDateTime::currentDateTime();
        QString text = dateText(when.date(), dateFormats().value(int(dateFormat), dateFormats().first()));
        if (timeMode != 2) {
            QString pattern = timeFormats().value(int(timeFormat), timeFormats().first());
            if (timeMode == 0)
                pattern += QLatin1String(" AP");
            // QTime's own formatting: "AM"/"PM" whatever the system language.
            text += QLatin1Char(' ') + when.time().toString(pattern);
        }
        replace(name, dateMatch.captured(0), text, maxWorkingLength);
    }

    // After the counter and the date, so that text from a picture is never read as a tag.
    for (const RenameTags::CameraTag &tag : RenameTags::cameraTags())
        replace(name, tag.keyword, nameSafe(facts.*tag.field), maxWorkingLength);

    // The last step that can make the name longer: measured against the name's
    // own bound (a UTF-8 byte is at most one UTF-16 unit).
    replace(name, searchText, replaceText, maxNameLength);

    switch (tooLong ? 0 : caseMode) {
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
    if (!tooLong)
        name += QLatin1Char('.') + extension;
    if (tooLong || name.toUtf8().size() > qsizetype(maxNameLength)) {
        return Failure{QCoreApplication::translate("RenameOpter", "The naming template makes a name for %1 longer than %2 bytes")
                           .arg(QDir::toNativeSeparators(sourcePath))
                           .arg(maxNameLength)};
    }
    return name;
}
