#ifndef BATCHPLANNER_H
#define BATCHPLANNER_H

// Every decision a batch makes about a picture, in one place for the wizard's
// Converter and for kelvarine-batch's runner: the output name, whether the
// picture is copied, re-encoded or becomes a page, what happens to a file in the
// way, which picture names the multi-page document and when it is written.
//
// Decisions are made once per picture, in picture order, so the files a batch
// leaves behind depend neither on who answers the overwrite question nor on how
// many pictures are converted at once. A target that an earlier picture of the
// batch takes is never replaced and never a reason to skip: the later picture
// gets the first free "NAME (2).EXT", and so does one whose target is another
// picture's source. The overwrite question concerns only files that were there
// before the batch (a picture's own source counts as one).
//
// The work grows with the batch, not with its square: the paths the batch takes
// are kept in sets, each name remembers the next number that may be free (a
// number once taken stays taken), and the disk is asked once per name.
//
// Threads: one thread at a time (the Converter's runs follow one another); the
// planner is a value and may be copied, e.g. for a dry run.

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include "engine/batch/conversionjob.h"
#include "engine/batch/overwritecheck.h"
#include "engine/batch/pictureentry.h"
#include "engine/picture/picturepipeline.h"

enum class PictureMode { Copy, Encode, Page };

struct PicturePlan
{
    QString source;
    PictureMode mode = PictureMode::Encode;
    QString target;     // own output, or the document it becomes a page of
    QString extension;  // encoder of Encode and Page
    bool cleansCopy = false;  // Copy: metadata to be removed on the way
    // StatusConverted: go ahead. Anything else is the picture's result already,
    // reached without any work (skipped, aborted, or failed with `message`).
    RunStatus status = StatusConverted;
    QString message;    // a failure's text, or a note that the target was renamed
    int collision = 0;  // the n of "NAME (n).EXT" the target was given to keep it apart; 0 for none

    bool proceeds() const { return status == StatusConverted; }
    // The result as it is logged: the plan's target, and its note beside a success.
    PictureResult settled(PictureResult result) const;
    // The result of a plan that does not proceed.
    PictureResult result() const;
};

class BatchPlanner
{
public:
    BatchPlanner() = default;
    BatchPlanner(const QList<PictureEntry> &pictures, const ConversionJob &job);

    const ConversionJob &job() const { return m_job; }
    const QList<PictureEntry> &pictures() const { return m_pictures; }
    int count() const { return m_pictures.size(); }

    // Decides picture `index`; pictures are decided in order, each once. A file
    // from before the batch in the way is put to `ask`.
    PicturePlan decide(int index, const OverwriteQuestion &ask);

    // What the job makes of picture `index` before any file in the way is looked
    // at: its mode, encoder and first target, or its failure.
    PicturePlan draft(int index) const;

    // "Yes to All" from the start: nothing is asked.
    void setYesToAll(bool yes) { m_yesToAll = yes; }

    // The document is put in place once picture `index` has ended with `status`:
    // after the last picture, unless the batch was aborted there or the document
    // was declined.
    bool documentDue(int index, RunStatus status) const;
    QString documentPath() const { return m_documentPath; }
    QString documentExtension() const { return m_documentExtension; }

    // The work done so far, for measuring: names the disk was asked about, and
    // numbered names tried for a target already taken.
    int diskChecks() const { return m_diskChecks; }
    int numberProbes() const { return m_numberProbes; }

private:
    enum class Document { Open, Accepted, Declined };
    enum class Outcome { Proceed, Skip, Abort };

    Outcome settle(const QString &source, QString &target, QString &note, int &collision,
                   const OverwriteQuestion &ask);
    bool takenInBatch(const QString &target, const QString &source) const;
    bool existedBefore(const QString &target) const;
    QString key(const QString &path) const;

    QList<PictureEntry> m_pictures;
    ConversionJob m_job;
    QSet<QString> m_sources;  // keys of every picture's source
    QSet<QString> m_claimed;  // keys of the targets this batch writes
    mutable QHash<QString, QString> m_folders;  // each folder named so far, as key() reads it
    // Whether a path was on the disk when first asked. A later answer could only
    // differ for a file of this batch, and those are claimed before they are asked.
    mutable QHash<QString, bool> m_onDisk;
    // Per unnumbered target, as written: the lowest number not yet found taken.
    QHash<QString, int> m_nextNumber;
    mutable int m_diskChecks = 0;
    int m_numberProbes = 0;
    bool m_yesToAll = false;
    bool m_noToAll = false;
    Document m_document = Document::Open;
    QString m_documentPath;
    QString m_documentExtension;
};

#endif
