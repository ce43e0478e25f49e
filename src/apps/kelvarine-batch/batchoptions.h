#ifndef BATCHOPTIONS_H
#define BATCHOPTIONS_H

// The command line of kelvarine-batch turned into a job: a project file read
// first, then the pictures, folders and options given beside it, which override
// the project's settings.

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include "engine/batch/batchrunner.h"
#include "engine/batch/conversionjob.h"
#include "engine/batch/pictureentry.h"
#include "engine/result.h"

// Loads the filter plug-ins the first time they are needed: a batch of copies
// needs none, and loading them all is most of the start-up time.
void loadFilters();

struct BatchOptions
{
    Q_DECLARE_TR_FUNCTIONS(BatchOptions)

public:
    QList<PictureEntry> pictures;
    ConversionJob job;
    QString nameTemplate;
    OverwritePolicy policy = OverwritePolicy::Skip;
    QString policyName = QStringLiteral("skip");
    QString planFile;  // --plan: written without --shard, followed with it
    int shard = 0;     // --shard K/N: K, 1-based; 0 for the whole job
    int shards = 0;    // N
    int jobs = 1;
    int maxMegapixels = 0;  // 0: the budget follows from the memory and the jobs
    bool dryRun = false;
    bool quiet = false;
    bool listFilters = false;
    bool listFormats = false;

    // Fills the options from the arguments (program name first); refused, with a
    // message for the user, when the arguments or the project cannot be used.
    Status parse(const QStringList &arguments);

private:
    Status readProject(const QString &path);
    Status setFormat(const QString &name);
    Status appendFilter(const QString &nameAndParams);
};

#endif
