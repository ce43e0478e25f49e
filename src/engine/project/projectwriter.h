#ifndef PROJECTWRITER_H
#define PROJECTWRITER_H

// Writes a project record as an indented XML project file.
//
// The file is written beside its final place and only takes that place once it
// is complete, so a failed save (full disk, unwritable folder, a text XML cannot
// carry) leaves any previous file untouched and reports false.
//
// Threads: write() keeps no state of its own and may be called from any thread.

#include <QString>

#include "engine/project/projectfile.h"

class ProjectWriter
{
public:
    static ProjectWriter &instance();

    bool write(const QString &path, const _ProjectFile &project) const;

private:
    ProjectWriter() = default;
};

#endif
