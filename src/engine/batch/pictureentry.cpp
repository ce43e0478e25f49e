#include "engine/batch/pictureentry.h"

#include <QDir>
#include <QFileInfo>

#include <unordered_set>

#include "engine/picture/formatcatalog.h"

PictureEntry PictureEntry::fromPath(const QString &path)
{
    const QFileInfo info(path);
    return PictureEntry{path, info.completeBaseName(), info.suffix().toUpper(), info.path()};
}

namespace {

struct PathHash
{
    size_t operator()(const QString &path) const { return qHash(path); }
};

// Exact comparison, counted: what the growth of adding pictures is measured by.
struct PathEqual
{
    qint64 *count;
    bool operator()(const QString &a, const QString &b) const
    {
        ++*count;
        return a == b;
    }
};

} // namespace

void addPictures(QList<PictureEntry> &pictures, const QStringList &paths, qint64 *comparisons)
{
    qint64 compared = 0;
    std::unordered_set<QString, PathHash, PathEqual> known(size_t(pictures.size() + paths.size()), PathHash(),
                                                           PathEqual{&compared});
    for (const PictureEntry &entry : std::as_const(pictures))
        known.insert(entry.path);
    pictures.reserve(pictures.size() + paths.size());
    for (const QString &path : paths) {
        if (known.insert(path).second)
            pictures.append(PictureEntry::fromPath(path));
    }
    if (comparisons)
        *comparisons = compared;
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
