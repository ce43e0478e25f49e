#ifndef PROJECTREADER_H
#define PROJECTREADER_H

// Reads a project file into a project record.
//
// A file is refused, with the message a user reads, when it cannot be read,
// is larger than ProjectFormat::maxFileSize, is not well-formed XML, does not
// start with a "Tamsorel" element of version "1.0.0" exactly, or declares or uses
// entities beyond XML's five predefined ones (the program never writes any, and
// expanding them is a way to make a small file exhaust memory). Elements and
// properties it does not know are skipped; a missing number reads as 0, a
// missing string as empty. Element order does not matter.
//
// A number that is not a whole decimal number in range ("46.9", "NaN", "0x2e")
// reads as 0 for the wizard, which shows the user what it made of the file. An
// unattended run reads strictly instead: such a file is refused, naming the
// property and its value.
//
// Threads: a reader keeps no state; read() may be called from any thread.

#include <QString>

#include "engine/project/projectfile.h"
#include "engine/result.h"

class ProjectReader
{
public:
    enum class Numbers { Lenient, Strict };

    // With Strict, a number as described refuses the file, naming the property;
    // any other refusal says the file is not supported.
    Result<_ProjectFile> read(const QString &path, Numbers numbers = Numbers::Lenient) const;
};

#endif
