#ifndef PICTURETARGET_H
#define PICTURETARGET_H

// Where the output of a picture goes: the name the rename engine makes, the
// extension the output format asks for, and the shape of a renamed target.
// Safe to call from any thread.

#include <QString>

#include <functional>

#include "engine/result.h"

class RenameOpter;
struct OutputOptions;

namespace PictureTarget {

// The file-name part of the name `naming` makes for the picture at `index`, or
// why it cannot be made (see RenameOpter::newName).
Result<QString> newFileName(const RenameOpter &naming, const QString &sourcePath, int index);

// A file name up to its first "." (IMG.0001.jpg gives IMG), and after its last.
QString baseName(const QString &fileName);
QString suffix(const QString &fileName);

// Target of a copy: the generated name as it is, in the output folder.
QString copyTarget(const QString &outputDir, const QString &newFileName);

// Extension of an encoded output: the lower-case format name, or for "original"
// the generated suffix unless the library does not write it (then "jpg").
QString extension(const QString &outputFormat, const QString &newFileName);

// Target of an encoded output: generated base name and the extension.
QString encodedTarget(const QString &outputDir, const QString &newFileName, const QString &extension);

// The target with another base name, same folder as written and same suffix.
QString withBaseName(const QString &target, const QString &base);

// The first "NAME (n).EXT" for which `taken` is false, n counting up from
// `number` (2 for a name not numbered yet); `number` is left at the one found.
QString firstFree(const QString &target, int &number, const std::function<bool(const QString &)> &taken);

// A picture that is copied rather than decoded: nothing to apply, the format
// kept, and nothing the options ask for that needs the pixels: no chosen
// quality for a format that takes one, no turn by its EXIF orientation (the
// file is read for it only when the options ask to turn pictures upright), and
// no metadata to remove from a format whose metadata cannot be rewritten
// without re-encoding (formats that carry none are copied all the same).
bool copyOnly(bool chainEmpty, const QString &outputFormat, const QString &sourcePath,
              const OutputOptions &options);

// Whether a copy of the source must have metadata removed (see
// PicturePipeline::cleanedCopy): the options ask for it and its format has a
// place for any.
bool cleansCopy(const OutputOptions &options, const QString &sourcePath);

} // namespace PictureTarget

#endif
