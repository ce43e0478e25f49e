#include "gui/wizard/appsettings.h"

#include <QDir>
#include <QFileInfo>

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
