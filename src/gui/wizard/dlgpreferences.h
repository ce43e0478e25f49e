#ifndef DLGPREFERENCES_H
#define DLGPREFERENCES_H

// Option -> Preferences: what a fresh job starts with (the output folder, format,
// quality, turning pictures upright, keeping the date, removing the location).
// Stored in the program's settings on OK; used at the next start and by New,
// never changing the job that is open.
//
// Threads: GUI thread only.

#include <QDialog>

#include "gui/wizard/appsettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

class DlgPreferences : public QDialog
{
    Q_OBJECT

public:
    DlgPreferences(AppSettings &settings, QWidget *parent = nullptr);

    // What the controls show.
    OutputDefaults defaults() const;
    void setDefaults(const OutputDefaults &defaults);

    void accept() override;

private:
    void chooseFolder();

    AppSettings &m_settings;
    QLineEdit *m_folder;
    QComboBox *m_format;
    QSpinBox *m_quality;
    QCheckBox *m_autoOrient;
    QCheckBox *m_keepDate;
    QCheckBox *m_stripGps;
};

#endif
