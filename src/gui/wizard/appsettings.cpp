#include "gui/wizard/appsettings.h"

#include <QDir>
#include <QFileInfo>

#include "engine/batch/outputoptions.h"

QString AppSettings::defaultFile()
{
    return QDir::homePath() + QStringLiteral("/.Kelvarine.conf");
}

AppSettings::AppSettings(const QString &file)
    : m_settings(file, QSettings::IniFormat)
{
}

QString AppSettings::folderOrHome(const QString &key) const
{
    return m_settings.contains(key) ? m_settings.value(key).toString() : QDir::homePath();
}

QString AppSettings::saveDirectory() const
{
    return folderOrHome(SettingsKeys::SaveDirectory);
}

void AppSettings::setSaveDirectory(const QString &folder)
{
    m_settings.setValue(SettingsKeys::SaveDirectory, folder);
}

QString AppSettings::lastOpened() const
{
    return folderOrHome(SettingsKeys::LastOpened);
}

void AppSettings::setLastOpenedFromFile(const QString &firstChosenFile)
{
    m_settings.setValue(SettingsKeys::LastOpened, QFileInfo(firstChosenFile).absolutePath());
}

QString AppSettings::lastDir() const
{
    return folderOrHome(SettingsKeys::LastDir);
}

void AppSettings::setLastDir(const QString &folder)
{
    m_settings.setValue(SettingsKeys::LastDir,
                        folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

void AppSettings::setLastWriteFormat(int row)
{
    m_settings.setValue(SettingsKeys::LastWriteFormat, row);
}

bool OutputDefaults::operator==(const OutputDefaults &other) const
{
    return folder == other.folder && format == other.format && quality == other.quality
           && autoOrient == other.autoOrient && keepDate == other.keepDate && stripGps == other.stripGps;
}

OutputDefaults AppSettings::outputDefaults() const
{
    OutputDefaults defaults;
    defaults.folder = m_settings.value(SettingsKeys::DefaultFolder).toString();
    defaults.format = m_settings.value(SettingsKeys::DefaultFormat, defaults.format).toString();
    // A hand-edited file may hold anything: an unusable quality means the format's own.
    bool number = false;
    const int quality = m_settings.value(SettingsKeys::DefaultQuality).toInt(&number);
    defaults.quality = number && OutputOptions::validQuality(quality) ? quality : 0;
    defaults.autoOrient = m_settings.value(SettingsKeys::DefaultAutoOrient, false).toBool();
    defaults.keepDate = m_settings.value(SettingsKeys::DefaultKeepDate, false).toBool();
    defaults.stripGps = m_settings.value(SettingsKeys::DefaultStripGps, false).toBool();
    return defaults;
}

void AppSettings::setOutputDefaults(const OutputDefaults &defaults)
{
    m_settings.setValue(SettingsKeys::DefaultFolder, defaults.folder);
    m_settings.setValue(SettingsKeys::DefaultFormat, defaults.format);
    m_settings.setValue(SettingsKeys::DefaultQuality, defaults.quality);
    m_settings.setValue(SettingsKeys::DefaultAutoOrient, defaults.autoOrient);
    m_settings.setValue(SettingsKeys::DefaultKeepDate, defaults.keepDate);
    m_settings.setValue(SettingsKeys::DefaultStripGps, defaults.stripGps);
}

QStringList AppSettings::recentProjects()
{
    const QStringList stored = m_settings.value(SettingsKeys::RecentProjects).toStringList();
    QStringList existing;
    for (const QString &path : stored) {
        if (existing.size() < recentLimit && !existing.contains(path) && QFileInfo(path).isFile())
            existing.append(path);
    }
    if (existing != stored)
        m_settings.setValue(SettingsKeys::RecentProjects, existing);
    return existing;
}

void AppSettings::addRecentProject(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentProjects();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > recentLimit)
        recent.removeLast();
    m_settings.setValue(SettingsKeys::RecentProjects, recent);
}
