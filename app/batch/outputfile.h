#ifndef OUTPUTFILE_H
#define OUTPUTFILE_H

// An output file being written: it goes to a temporary file beside the target
// and takes the target's place only on commit(), after a complete, successful
// write. Dropped without a commit, or after a failed one, it leaves nothing
// behind and the target as it was.
//
// The image library writes through stream() straight into the temporary file.
// That file is open for reading too, as the TIFF writer reads back what it wrote;
// and its gaps are holes that read as zeros, where a growing memory buffer would
// leave stray bytes and make two runs of one job differ.
//
// Threads: one thread at a time; it may be handed to another with setThread().

#include <QSaveFile>
#include <QString>

#include <cstdio>

class OutputFile
{
public:
    explicit OutputFile(const QString &target);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    const QString &target() const { return m_target; }

    // Creates the temporary file; false with the reason in `error`.
    bool open(QString *error);
    // A stream on it for the image library; null when there is none.
    FILE *stream();
    int handle() const { return m_file.handle(); }

    // Puts the file in place of the target; false with the reason when anything
    // went wrong since open(), in which case the temporary file is gone.
    bool commit(QString *error);

    void setThread(QThread *thread) { m_file.moveToThread(thread); }

private:
    bool closeStream(QString *reason);
    QString failure(const QString &reason) const;

    QString m_target;
    QSaveFile m_file;
    FILE *m_stream = nullptr;
};

#endif
