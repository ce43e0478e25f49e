#ifndef PROJECTJOB_H
#define PROJECTJOB_H

// A whole job as the wizard and kelvarine-batch hold it, and the one translation
// between it and a project record: the wizard's Project menu, its Step 3 and
// kelvarine-batch all go through fromProject() and toProject(), so that a saved
// project runs the same in both.
//
// Beside the job itself it keeps what a project remembers for the wizard only:
// the chain rows whose filter is not installed here, the naming preset and the
// last custom template, the row of the format list, and whether the wizard
// opens the output folder afterwards.
//
// Threads: a plain value; safe from any thread once the filter plug-ins are loaded.

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include "engine/batch/conversionjob.h"
#include "engine/project/projectfile.h"
#include "engine/result.h"

struct ProjectJob
{
    Q_DECLARE_TR_FUNCTIONS(ProjectJob)

public:
    // Lenient takes what it can, as the wizard shows the user what it made of a
    // file; Strict refuses a switch that is neither 0 nor 1 and a format row the
    // list does not have, since an unattended run must not guess.
    enum class Reading { Lenient, Strict };

    QStringList pictures;         // full paths, in list order; none in a profile
    QList<FilterEntry> filters;   // every chain row, installed or not
    QString nameTemplate;         // the active naming template
    QString customTemplate;       // last template of the custom template dialog
    int presetRow = 0;
    int formatRow = 0;            // row of the output format list
    bool openOutputFolder = false;
    // The format, folder and switches of the batch; its chain and naming are
    // made from `filters` and `nameTemplate` by conversionJob().
    ConversionJob options;

    // The record as a job. Relative paths are already resolved (resolvePaths).
    static Result<ProjectJob> fromProject(const _ProjectFile &project, Reading reading);
    // Reads, resolves and converts the project file at `path`; the message says
    // why a file was refused, without its path.
    static Result<ProjectJob> load(const QString &path, Reading reading);
    // The job as a record; an installed filter is named as its plug-in names it.
    _ProjectFile toProject() const;

    // What a batch runs: the options with the installed filters of the chain
    // (a row whose filter is missing is skipped) and the naming template.
    ConversionJob conversionJob() const;
};

#endif
