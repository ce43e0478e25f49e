#ifndef APPSETTINGS_H
#define APPSETTINGS_H

// The few things remembered between runs, in ~/.Kelvarine.conf (INI). Folders
// fall back to the home folder when never stored; write errors are not reported.

#include <QSettings>
#include <QString>

namespace SettingsKeys {
inline const QString SaveDirectory = QStringLiteral("General/Save directory");
inline const QString LastOpened = QStringLiteral("General/Last Opened");
inline const QString LastDir = QStringLiteral("General/Last Dir");
inline const QString LastWriteFormat = QStringLiteral("General/Last Write Format");
} // namespace SettingsKeys

class AppSettings
{
public:
    static QString defaultFile();

    explicit AppSettings(const QString &file = defaultFile());

    // Start value of the output folder field.
    QString saveDirectory() const;
    void setSaveDirectory(const QString &folder);

    // Start folder of the add-pictures dialog; stores the folder of the first chosen file.
    QString lastOpened() const;
    void setLastOpenedFromFile(const QString &firstChosenFile);

    // Start folder of the add-folder dialog; stored with exactly one trailing "/".
    QString lastDir() const;
    void setLastDir(const QString &folder);

    void setLastWriteFormat(int row);

    QSettings &settings() { return m_settings; }

private:
    QString folderOrHome(const QString &key) const;

    QSettings m_settings;
};

#endif
