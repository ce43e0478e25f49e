#include "engine/runtime/resourcedir.h"

#include <QDir>
#include <QFileInfo>

#include "kelvarineconfig.h"

namespace {

// Where an installed tree keeps `name`: the plug-ins under the library folder, the
// rest under share/kelvarine, both found from the program's own folder so that
// the tree works at any prefix.
QString installedDir(const QString &name, const QString &programDir)
{
    const QString relative = name == QLatin1String("plugins")
                                 ? QStringLiteral(KELVARINE_RELATIVE_PLUGINDIR)
                                 : QStringLiteral(KELVARINE_RELATIVE_DATADIR "/") + name;
    return QDir::cleanPath(programDir + QLatin1Char('/') + relative);
}

} // namespace

QString resourceDir(const QString &name, const QString &programDir)
{
    QString dir = QDir::cleanPath(programDir);
    const QString leaf = QFileInfo(dir).fileName().toLower();
    if (leaf == QLatin1String("debug") || leaf == QLatin1String("release"))
        dir = QFileInfo(dir).path();
    const QString beside = QDir::cleanPath(dir + QLatin1Char('/') + name);
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed = installedDir(name, QDir::cleanPath(programDir));
    return QFileInfo(installed).isDir() ? installed : beside;
}

QString helperProgram(const QString &name, const QString &programDir)
{
    const QString dir = QDir::cleanPath(programDir);
    const QString beside = dir + QLatin1Char('/') + name;
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed =
        QDir::cleanPath(dir + QStringLiteral("/" KELVARINE_RELATIVE_LIBEXECDIR "/") + name);
    return QFileInfo(installed).isFile() ? installed : beside;
}
