#ifndef SAFEFILE_H
#define SAFEFILE_H

// Every file the program puts in place goes through here. Outputs are written to
// a temporary file beside the target and renamed over it only when complete, so
// a failure (full disk, read-only folder, a crash) leaves any existing file as it
// was and no temporary file behind. Safe to call from any thread.

#include <QString>

namespace SafeFile {

// Writes the bytes to `target`; false with the reason in `error` when it fails.
bool write(const QString &target, const char *data, qint64 size, QString *error);

// A byte-for-byte copy by the kernel where it can, else through a large buffer.
bool copy(const QString &source, const QString &target, QString *error);

// Renames the source over the target; across file systems it copies and then
// removes the source, so the target is complete before the source goes.
bool move(const QString &source, const QString &target, QString *error);

// True when both paths name the same existing file (links and "." resolved), or
// are written the same.
bool samePath(const QString &a, const QString &b);

// Removes a source whose output is in place, unless the output is the source.
bool removeSource(const QString &source, const QString &output);

} // namespace SafeFile

#endif
