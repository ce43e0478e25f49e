#include "projectfile.h"

#include <QDir>

namespace {

QString resolved(const QDir &folder, const QString &path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return QDir::cleanPath(folder.absoluteFilePath(path));
}

} // namespace

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

void _ProjectFile::resolvePaths(const QString &projectFolder)
{
    const QDir folder(projectFolder);
    for (QString &image : images)
        image = resolved(folder, image);
    DestPath = resolved(folder, DestPath);
}
