#include "engine/batch/pictureentry.h"

#include <QDir>
#include <QFileInfo>

#include "engine/picture/formatcatalog.h"

PictureEntry PictureEntry::fromPath(const QString &path)
{
    const QFileInfo info(path);
    return PictureEntry{path, info.completeBaseName(), info.suffix().toUpper(), info.path()};
}

void addPictures(QList<PictureEntry> &pictures, const QStringList &paths)
{
    for (const QString &path : paths) {
        const bool known = std::any_of(pictures.cbegin(), pictures.cend(),
                                       [&path](const PictureEntry &entry) { return entry.path == path; });
        if (!known)
            pictures.append(PictureEntry::fromPath(path));
    }
}

QStringList folderPictures(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList(FormatCatalog::instance().readPatterns(), QDir::Files,
                                            QDir::Name | QDir::Reversed);
    QString prefix = folder;
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    QStringList paths;
    paths.reserve(names.size());
    for (const QString &name : names)
        paths.append(prefix + name);
    return paths;
}
