#ifndef SANDBOXDECODER_H
#define SANDBOXDECODER_H

// Decoding a picture in the decoding helper, kelvarine-decode: a process of its
// own, in a new empty temporary folder, confined to reading the system's folders
// and the one picture (Landlock), with limits on memory, processor time and file
// size, and a time limit this side enforces by killing its process group (so
// Ghostscript or dcraw go with it). The pixels come back through shared memory,
// the same picture in-process decoding gives. A crash, a time-out or a breach of
// the budget fails that picture with a message; what the helper and the programs
// it ran printed is kept off the terminal and added to that message.
//
// decode() is safe from any thread, one helper per call: several pictures of a
// batch decode at once. The setters are for start-up and tests, not for while
// pictures decode.

#include <QString>

#include <Magick++.h>

#include "engine/picture/decodesize.h"
#include "engine/result.h"

namespace SandboxDecoder {

// Decodes the picture (see PictureCodec::decode) in the helper. The helper's
// own temporary folder is removed whatever happens. A failure says why the
// picture did not come back.
Result<Magick::Image> decode(const QString &path, bool allowDocuments, const DecodeSize &size = {});

// The helper program: kelvarine-decode beside this program or under
// libexec/kelvarine (see helperProgram), or what KELVARINE_DECODER names.
QString program();
void setProgram(const QString &path);

// Seconds one picture may take, 120 unless KELVARINE_DECODE_SECONDS says otherwise.
int timeLimit();
void setTimeLimit(int seconds);

// Whether JPEG, PNG and TIFF go through the helper too (KELVARINE_DECODE_APART=1):
// for comparing both ways of decoding.
bool decodesEverythingApart();
void setDecodesEverythingApart(bool apart);

} // namespace SandboxDecoder

#endif
