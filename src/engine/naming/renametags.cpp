#include "engine/naming/renametags.h"

namespace {

QRegularExpression compiled(const QString &pattern)
{
    QRegularExpression expression(pattern);
    expression.optimize();
    return expression;
}

} // namespace

namespace RenameTags {

const QRegularExpression &caseTag()
{
    static const QRegularExpression tag = compiled(QStringLiteral("\\[Case_([0-9])_([01])\\]"));
    return tag;
}

const QRegularExpression &counterTag()
{
    static const QRegularExpression tag = compiled(QStringLiteral("\\[Counter_([0-9]*)_([0-9]*)_([0-9]*)\\]"));
    return tag;
}

const QRegularExpression &dateTag()
{
    static const QRegularExpression tag =
        compiled(QStringLiteral("\\[Date_([0-9]+)_([0-9]+)_([0-9]+)_([0-9]+)\\]"));
    return tag;
}

const QList<CameraTag> &cameraTags()
{
    static const QList<CameraTag> tags{
        {QStringLiteral("[CameraModel]"), &PictureFacts::cameraModel},
        {QStringLiteral("[Lens]"), &PictureFacts::lens},
        {QStringLiteral("[ISO]"), &PictureFacts::iso},
        {QStringLiteral("[Aperture]"), &PictureFacts::aperture},
        {QStringLiteral("[ExposureTime]"), &PictureFacts::exposureTime},
        {QStringLiteral("[FocalLength]"), &PictureFacts::focalLength},
    };
    return tags;
}

unsigned number(const QRegularExpressionMatch &match, int field)
{
    return match.captured(field).toUInt();
}

ReplaceTag replaceTag(const QString &format)
{
    static const QLatin1String opening("[Replace_");
    ReplaceTag tag;
    const int start = format.indexOf(opening);
    const int end = format.lastIndexOf(QLatin1Char(']'));
    if (start < 0 || end <= start)
        return tag;
    const QString fields = format.mid(start + opening.size(), end - start - opening.size());
    if (!fields.contains(QLatin1Char('_')))
        return tag;
    tag.start = start;
    tag.length = end - start + 1;
    tag.search = fields.left(fields.indexOf(QLatin1Char('_')));
    tag.replacement = fields.mid(fields.lastIndexOf(QLatin1Char('_')) + 1);
    return tag;
}

} // namespace RenameTags
