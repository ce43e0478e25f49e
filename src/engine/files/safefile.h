#ifndef SAFEFILE_H
#define SAFEFILE_H

// Copies, moves and removals of whole files, done so that a failure leaves any
// existing file as it was (see OutputFile) and a source goes only once its output
// is in place. Safe to call from any thread.

#include <QString>

#include <memory>

#include "engine/files/outputfile.h"
#include "engine/result.h"

namespace SafeFile {

// The copy of the source as an output for the target, not yet in its place,
// or why it cannot be made.
Result<std::unique_ptr<OutputFile>> copyToOutput(const QString &source, const QString &target);

// A byte-for-byte copy by the kernel where it can, else through a large buffer;
// on the disk itself before it returns when `durable`.
Status copy(const QString &source, const QString &target, bool durable = false);

// Renames the source over the target; across file systems, and for a source
// that is a symbolic link, it copies (through the link) and then removes the
// source (the link itself), so the target is a complete regular file on the disk
// before the source goes. A failure says why when the target could not be
// made, or when it was but the source could not be removed.
Status move(const QString &source, const QString &target);

// Copies the whole of `in`, from its current offset, to `out` by the kernel (no
// trip through user space; a reflink where the file system offers one), falling
// back to a plain loop where the file systems do not allow it. A failure
// carries the system's reason, without a file name.
Status copyContents(int in, int out);

// True when both paths name the same existing file (links and ".." resolved), or
// are written the same.
bool samePath(const QString &a, const QString &b);

// Removes a source whose output is in place, unless the output is the source
// (then, or when there is no output, it keeps the source and succeeds). A
// source that is a link loses the link, never what it points to. A failure,
// saying the output was written, when the source could not be removed.
Status removeSource(const QString &source, const QString &output);

} // namespace SafeFile

#endif
