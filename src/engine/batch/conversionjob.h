#ifndef CONVERSIONJOB_H
#define CONVERSIONJOB_H

// What a batch does with every picture, fixed when it starts: the chain and the
// naming template (its own copies: nothing a worker reads is process-wide), the
// output format, the folder, and the Step 3 options. Both the wizard and
// kelvarine-batch make it from a ProjectJob.

#include <QList>
#include <QString>

#include "engine/filters/filterregistry.h"
#include "engine/batch/outputoptions.h"
#include "engine/batch/pictureentry.h"
#include "engine/naming/renameopter.h"

struct ConversionJob
{
    QList<ChainEntry> chain;
    RenameOpter naming;  // the naming template, e.g. RenameOpter(QStringLiteral("[FileName]_[Counter_1_1_3]"))
    QString writeFormat = QStringLiteral("Original");  // format name as in the format list
    QString outputFolder;
    bool useSourceFolder = false;
    bool multiPage = false;
    bool deleteSource = false;
    OutputOptions output;  // what the written files carry

    // The name the converter works with: lower case, "original" included.
    QString outputFormat() const { return writeFormat.toLower(); }
    // Encoder quality of single pictures; -1 leaves it to the library.
    int quality() const;
    QString outputDirFor(const PictureEntry &picture) const
    {
        return useSourceFolder ? picture.folder : outputFolder;
    }
};

#endif
