#ifndef STEP3PAGE_H
#define STEP3PAGE_H

// Step 3: where the output goes, in which format, and what happens around the
// conversion. Checks the job before a batch starts (creating a missing output
// folder when the user agrees) and contributes the output options to it.
//
// Threads: GUI thread only.

#include <QObject>
#include <QString>

#include "engine/batch/outputoptions.h"

class AppSettings;
struct ConversionJob;

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
    // The output options as the page shows them.
    void fillJob(ConversionJob &job) const;
    // What the written files carry, as the page shows it; set from a project.
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
