#ifndef SAFEFILE_H
#define SAFEFILE_H

// Copies, moves and removals of whole files, done so that a failure leaves any
// existing file as it was (see OutputFile) and a source goes only once its output
// is in place. Safe to call from any thread.

#include <QString>

#include <memory>

#include "outputfile.h"

namespace SafeFile {

// The copy of the source as an output for the target, not yet in its place;
// null with the reason in `error` when it cannot be made.
std::unique_ptr<OutputFile> copyToOutput(const QString &source, const QString &target, QString *error);

// A byte-for-byte copy by the kernel where it can, else through a large buffer;
// on the disk itself before it returns when `durable`.
bool copy(const QString &source, const QString &target, QString *error, bool durable = false);

// Renames the source over the target; across file systems it copies and then
// removes the source, so the target is complete before the source goes.
bool move(const QString &source, const QString &target, QString *error);

// True when both paths name the same existing file (links and ".." resolved), or
// are written the same.
bool samePath(const QString &a, const QString &b);

// Removes a source whose output is in place, unless the output is the source.
bool removeSource(const QString &source, const QString &output);

} // namespace SafeFile

#endif
