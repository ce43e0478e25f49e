#ifndef PICTUREKIND_H
#define PICTUREKIND_H

// What a file is, told from its first bytes, and whether it may be read as a
// picture at all. Only picture formats are taken from the content: a file that
// turns out to hold a document, a font, a script or a drawing language is read
// as that only when its own name says so, and PostScript, EPS and PDF (which run
// as programs in Ghostscript) only when the user has allowed documents. Copying
// and removing sources go by the same check, so a project cannot move a file
// that is not a picture. Safe to call from any thread.

#include <QString>

#include "engine/result.h"

namespace PictureKind {

// How many bytes of a file the checks read.
constexpr qint64 headerSize = 8192;

// The image library's name of the format the content shows ("JPEG", "PS");
// empty when the content does not tell (Targa, raw samples).
QString formatOf(const char *data, qint64 size);

// Formats whose files are pictures: photographs, raster images, camera raw.
bool isPictureFormat(const QString &format);
// PostScript, EPS and PDF: read only when documents are allowed.
bool isDocumentFormat(const QString &format);

// The format the file is to be decoded as, given its first bytes (`header`) and
// its path; a failure with the user's message when it is not to be read.
Result<QString> admit(const QString &path, const char *header, qint64 size, bool allowDocuments);

// A folder, a FIFO, a device or a socket (links followed): never a picture, and
// not to be opened (opening a FIFO would wait for a writer forever).
bool isSpecialFile(const QString &path);

// Reads the first bytes of the file and admits it as above; a special
// file is refused unopened.
Result<QString> admitFile(const QString &path, bool allowDocuments);

// Whether the file may be copied, or removed after its conversion, as a picture:
// admitted as above, and a picture format (or an allowed document). A failure
// with the user's message otherwise.
Status isPictureFile(const QString &path, bool allowDocuments);

// "X is not a picture file", the message for every file that is none.
QString notAPicture(const QString &path);

} // namespace PictureKind

#endif
