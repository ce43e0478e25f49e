#include "projectfile.h"

QString FilterEntry::nameOf(const QString &categoryPath)
{
    return categoryPath.mid(categoryPath.lastIndexOf(QLatin1Char('\\')) + 1);
}

bool _ProjectFile::operator==(const _ProjectFile &other) const
{
    return images == other.images && filters == other.filters && formateStr == other.formateStr
           && customFormateStr == other.customFormateStr && index == other.index
           && UseSourcePath == other.UseSourcePath && DestPath == other.DestPath
           && FormatIndex == other.FormatIndex && Multipage == other.Multipage
           && OpenOutputFolder == other.OpenOutputFolder && DeleteSource == other.DeleteSource;
}
