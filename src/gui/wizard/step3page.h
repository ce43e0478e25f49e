#ifndef STEP3PAGE_H
#define STEP3PAGE_H

// Step 3: where the output goes, in which format, and what happens around the
// conversion. Checks the job before a batch starts (creating a missing output
// folder when the user agrees). The one place where the page's controls and a
// job meet: fillJob() reads them into a job, showJob() sets them from one.
//
// Threads: GUI thread only.

#include <QObject>
#include <QString>

#include "engine/batch/outputoptions.h"

class AppSettings;
struct ProjectJob;

namespace Ui {
class TamsorelClass;
}

class Step3Page : public QObject
{
    Q_OBJECT

public:
    Step3Page(Ui::TamsorelClass &ui, AppSettings &settings, QWidget *window);

    // The checks before processing, in order, each refusal with its message.
    // True when the batch may start.
    bool checkBeforeProcessing(int pictureCount);
    // The format, its row, the folder, the switches and what the written files
    // carry, as the page shows them.
    void fillJob(ProjectJob &job) const;
    // The same from a job (a project, New). A format row the list does not have
    // leaves the format as it was; a multi-page document only where the format
    // can hold one.
    void showJob(const ProjectJob &job);
    // The output part of a fresh job as the user prefers it (Preferences); with
    // no preferred folder, `folder`.
    void fillDefaults(ProjectJob &job, const QString &folder) const;
    // What the written files carry, as the page shows it.
    OutputOptions outputOptions() const;
    void setOutputOptions(const OutputOptions &options);

    void useSourceFolderClicked(bool checked);
    void selectOutput();
    void formatChanged(const QString &entry);
    QString writeFormat() const;

private:
    void updateFolderEnabled();

    Ui::TamsorelClass &m_ui;
    AppSettings &m_settings;
    QWidget *m_window;
};

#endif
