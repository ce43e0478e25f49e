#ifndef RENAMETAGS_H
#define RENAMETAGS_H

// The tag shapes of the naming template language, shared by the rename engine,
// which reads them when naming pictures, and the custom naming dialog, which
// turns them back into its controls. Text in brackets of any other shape is
// literal text.
//
// Threads: the expressions are compiled on first use and only read afterwards;
// every function here is safe from any thread.

#include <QList>
#include <QRegularExpression>
#include <QString>

#include "engine/metadata/picturefacts.h"

namespace RenameTags {

// "[Case_M_E]": case mode M (one digit), lower-case extension E (0 or 1).
const QRegularExpression &caseTag();
// "[Counter_S_T_D]": start, step, digits; each field zero or more digits.
const QRegularExpression &counterTag();
// "[Date_S_F_M_T]": source, date format row, time mode, time format row.
const QRegularExpression &dateTag();

// "[CameraModel]" and the other keywords of what the camera wrote, each with the
// fact it stands for.
struct CameraTag
{
    QString keyword;
    QString PictureFacts::*field;
};
const QList<CameraTag> &cameraTags();

// A field of a tag match as an unsigned number; empty or out of range gives 0.
unsigned number(const QRegularExpressionMatch &match, int field);

// "[Replace_SEARCH_REPLACEMENT]" runs to the template's LAST "]", so that the
// texts may hold brackets; the search text ends at its first underscore and the
// replacement starts after its last one.
struct ReplaceTag
{
    int start = -1;  // -1: the template has none
    int length = 0;
    QString search;
    QString replacement;
};
ReplaceTag replaceTag(const QString &format);

} // namespace RenameTags

#endif
