#include "engine/project/projectfile.h"

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
           && OpenOutputFolder == other.OpenOutputFolder && DeleteSource == other.DeleteSource
           && outputOptions() == other.outputOptions();
}

OutputOptions _ProjectFile::outputOptions() const
{
    OutputOptions options;
    // A quality out of range is a hand-edited file; the default serves it best.
    options.quality = OutputOptions::validQuality(Quality) ? Quality : 0;
    options.stripMetadata = StripMetadata == 1;
    options.stripGps = StripGps == 1;
    options.autoOrient = AutoOrient == 1;
    options.keepDate = KeepDate == 1;
    options.allowDocuments = AllowDocuments == 1;
    return options;
}

void _ProjectFile::setOutputOptions(const OutputOptions &options)
{
    Quality = options.quality;
    StripMetadata = options.stripMetadata ? 1 : 0;
    StripGps = options.stripGps ? 1 : 0;
    AutoOrient = options.autoOrient ? 1 : 0;
    KeepDate = options.keepDate ? 1 : 0;
    AllowDocuments = options.allowDocuments ? 1 : 0;
}

void _ProjectFile::resolvePaths(const QString &projectFolder)
{
    const QDir folder(projectFolder);
    for (QString &image : images)
        image = resolved(folder, image);
    DestPath = resolved(folder, DestPath);
}
