#ifndef APPSETTINGS_H
#define APPSETTINGS_H

// The few things remembered between runs, in ~/.Kelvarine.conf (INI). Folders
// fall back to the home folder when never stored; write errors are not reported.
//
// Keys: "General/..." the folders the dialogs start in and the last output
// folder; "Defaults/..." the user's preferences for a fresh job (Step 3 at start
// and after New): "Output folder" (empty: none chosen), "Format" (a format name
// of the output list, "Original" when missing), "Quality" (0: the format's own),
// "Auto orient", "Keep date", "Remove location" (booleans); "Recent/Projects"
// the project files last loaded or saved, most recent first.

#include <QSettings>
#include <QString>
#include <QStringList>

namespace SettingsKeys {
inline const QString SaveDirectory = QStringLiteral("General/Save directory");
inline const QString LastOpened = QStringLiteral("General/Last Opened");
inline const QString LastDir = QStringLiteral("General/Last Dir");
inline const QString LastWriteFormat = QStringLiteral("General/Last Write Format");
inline const QString DefaultFolder = QStringLiteral("Defaults/Output folder");
inline const QString DefaultFormat = QStringLiteral("Defaults/Format");
inline const QString DefaultQuality = QStringLiteral("Defaults/Quality");
inline const QString DefaultAutoOrient = QStringLiteral("Defaults/Auto orient");
inline const QString DefaultKeepDate = QStringLiteral("Defaults/Keep date");
inline const QString DefaultStripGps = QStringLiteral("Defaults/Remove location");
inline const QString RecentProjects = QStringLiteral("Recent/Projects");
} // namespace SettingsKeys

// What a fresh job starts with, as the user prefers it.
struct OutputDefaults
{
    QString folder;  // empty: the last output folder at start, the home folder after New
    QString format = QStringLiteral("Original");
    int quality = 0;
    bool autoOrient = false;
    bool keepDate = false;
    bool stripGps = false;

    bool operator==(const OutputDefaults &other) const;
};

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

    OutputDefaults outputDefaults() const;
    void setOutputDefaults(const OutputDefaults &defaults);

    // The last recentLimit projects that still exist, most recent first; those
    // that are gone are forgotten.
    static constexpr int recentLimit = 8;
    QStringList recentProjects();
    // Puts the project first (once), keeping at most recentLimit.
    void addRecentProject(const QString &path);

    QSettings &settings() { return m_settings; }

private:
    QString folderOrHome(const QString &key) const;

    QSettings m_settings;
};

#endif
