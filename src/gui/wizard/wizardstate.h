#ifndef WIZARDSTATE_H
#define WIZARDSTATE_H

// What the wizard's pages share: the job's pictures, the two naming templates,
// the current project file, and whether preview refreshes are allowed (off while
// lists are cleared or rebuilt). Held by the main window, handed to each page.
//
// Threads: GUI thread only; a batch takes its own copies when it starts.

#include <QList>
#include <QString>

#include "engine/batch/pictureentry.h"
#include "engine/naming/renameopter.h"

struct WizardState
{
    QList<PictureEntry> pictures;
    QString formateStr = RenameOpter::defaultFormat();        // the active naming template
    QString customFormateStr = RenameOpter::defaultFormat();  // last one of the custom dialog
    QString projectPath;
    bool viewsEnabled = true;
};

#endif
