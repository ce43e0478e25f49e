#ifndef HEIFSIZE_H
#define HEIFSIZE_H

// HEIF and AVIF files declare the size of their picture ('ispe') apart from the
// coded picture itself. The image library takes the declared size and copies
// that many pixels out of what the codec decoded: a file declaring more reads
// past the decoded picture (other memory in the output, or a crash). Only for
// the decoding helper's main thread.

#include <QByteArray>
#include <QString>

#include "engine/result.h"

namespace HeifSize {

// Decodes the primary picture as the image library will and compares its size
// with the declared one; a failure on a mismatch ("declares 640 x 400 pixels but
// holds 64 x 64") or when the picture cannot be decoded at all.
Status check(const QString &path, const QByteArray &content);

} // namespace HeifSize

#endif
