#ifndef PROJECTWRITER_H
#define PROJECTWRITER_H

// Writes a project record as an indented XML project file.
//
// The file is written beside its final place and only takes that place once it
// is complete, so a failed save (full disk, unwritable folder, a text XML cannot
// carry) leaves any previous file untouched and says the file cannot be written.
//
// Threads: a writer keeps no state; write() may be called from any thread.

#include <QString>

#include "engine/project/projectfile.h"
#include "engine/result.h"

class ProjectWriter
{
public:
    Status write(const QString &path, const _ProjectFile &project) const;
};

#endif
