#ifndef OUTPUTFILE_H
#define OUTPUTFILE_H

// An output file being written: it goes to a temporary file in the target's
// folder and takes the target's place, in one rename, only on commit() after a
// complete, successful write. Dropped without a commit, or after a failed one,
// it leaves nothing behind and the target as it was. The temporary file has no
// name until the commit where the system allows, so not even a killed program
// leaves one behind; where it cannot be given a name at the end (no /proc, no
// permission to link by descriptor), outputs start as named temporary files.
//
// The image library writes through stream() straight into the temporary file.
// That file is open for reading too, as the TIFF writer reads back what it wrote;
// and its gaps are holes that read as zeros, where a growing memory buffer would
// leave stray bytes and make two runs of one job differ.
//
// Unlike QSaveFile, a commit forces the data to disk only when asked to (before
// a source is deleted): a forced write per picture would make a batch of copies
// several times slower than cp, which never forces one either.
//
// Threads: one thread at a time; it may be handed from one to another.

#include <QString>

#include <cstdio>

#include "engine/result.h"

class OutputFile
{
public:
    explicit OutputFile(const QString &target);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    const QString &target() const { return m_target; }

    // Creates the temporary file; a failure says why not.
    Status open();
    // A stream on it for the image library; null when there is none.
    FILE *stream();
    int handle() const { return m_fd; }

    // Puts the file in place of the target, the file and the name given to it on
    // the disk itself when `durable` (before a source is removed); a failure with
    // the reason when anything went wrong since open(), in which case the temporary
    // file is gone. A target that is a symbolic link is replaced by the file; what
    // the link points to is never touched.
    Status commit(bool durable = false);

private:
    int openNamed();
    int linkUnnamed(const QByteArray &name) const;
    int nameByCopy();
    bool closeStream(int *error);
    Status done(bool durable);
    Failure fail(int code);

    QString m_target;
    QByteArray m_targetName;  // local 8-bit
    QByteArray m_tempName;    // empty while the file has no name
    int m_fd = -1;
    FILE *m_stream = nullptr;
};

#endif
