#include "resourcedir.h"

#include <QDir>
#include <QFileInfo>

QString resourceDir(const QString &name, const QString &programDir)
{
    QString dir = QDir::cleanPath(programDir);
    const QString leaf = QFileInfo(dir).fileName().toLower();
    if (leaf == QLatin1String("debug") || leaf == QLatin1String("release"))
        dir = QFileInfo(dir).path();
    return QDir::cleanPath(dir + QLatin1Char('/') + name);
}
