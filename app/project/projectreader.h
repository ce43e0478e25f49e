#ifndef PROJECTREADER_H
#define PROJECTREADER_H

// Reads a project file into a project record.
//
// A file is refused (false, the record left as it was) when it cannot be read,
// is larger than ProjectFormat::maxFileSize, is not well-formed XML, does not
// start with a "Tamsorel" element of version "1.0.0" exactly, or declares or uses
// entities beyond XML's five predefined ones (the program never writes any, and
// expanding them is a way to make a small file exhaust memory). Elements and
// properties it does not know are skipped; a missing number reads as 0, a
// missing string as empty. Element order does not matter.
//
// Threads: read() keeps no state of its own and may be called from any thread.

#include <QString>

#include "projectfile.h"

class ProjectReader
{
public:
    static ProjectReader &instance();

    bool read(const QString &path, _ProjectFile &project) const;

private:
    ProjectReader() = default;
};

#endif
