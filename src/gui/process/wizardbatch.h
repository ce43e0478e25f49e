#ifndef WIZARDBATCH_H
#define WIZARDBATCH_H

// The processing side of the wizard: runs a job through the batch driver inside
// the modal process dialog, answers overwrite questions with the overwrite
// dialog, puts the driver's messages in the status bar, remembers the output
// format of the batch, and opens the output folder when the job asks for it.
//
// Threads: GUI thread only.

#include <QList>
#include <QObject>

#include <QString>

#include "engine/batch/batchdriver.h"
#include "engine/batch/pictureentry.h"
#include "engine/project/projectjob.h"
#include "gui/process/dlgprocess.h"

class AppSettings;
class QStatusBar;

class WizardBatch : public QObject
{
    Q_OBJECT

public:
    WizardBatch(AppSettings *settings, QStatusBar *statusBar, QObject *parent = nullptr);

    // Runs the whole batch; returns when the process dialog closes.
    void run(const QList<PictureEntry> &pictures, const ProjectJob &job);

    // The overwrite question for one existing target; a rename returns the new
    // base name in `name`.
    static OverwriteAnswer askOverwrite(const QString &target, QString &name);

    BatchDriver &driver() { return m_driver; }
    DlgProcess &dialog() { return m_dialog; }

private:
    void batchFinished();

    AppSettings *m_settings;
    BatchDriver m_driver;
    DlgProcess m_dialog;  // parentless, a window of its own
    QStatusBar *m_statusBar;
    QString m_outputFolder;
    bool m_openFolder = false;  // the job asks for the folder to be opened at the end
};

#endif
