#ifndef PICTURECODEC_H
#define PICTURECODEC_H

// Pictures in and out of the image library. The program reads and writes the
// files itself and hands the library bytes, so no file name, whatever brackets,
// colons or other characters it holds, is ever read as the library's own syntax
// ("x.jpg[1]", "png:x"). Safe to call from any thread.

#include <QList>
#include <QString>

#include <Magick++.h>

#include <cstdio>

#include "engine/picture/decodesize.h"
#include "engine/result.h"

struct ChainEntry;

namespace PictureCodec {

// Decodes the file; the format is taken from the content, and from the suffix
// where the content does not tell (Targa, raw samples). Only pictures are read
// for what their content shows; PostScript, EPS and PDF only with
// `allowDocuments` (see PictureKind). JPEG, PNG and TIFF are decoded in this
// process, every other format by the decoding helper (see SandboxDecoder), with
// the same result. Fails when the file cannot be read or is not to be, when the
// helper fails, or with the library's message when it cannot be decoded.
// With a reduced `size` (see DecodeSize), a JPEG may come smaller than it is
// stored, never smaller than the size asks; other formats come whole.
Result<Magick::Image> decode(const QString &path, bool allowDocuments = false, const DecodeSize &size = {});

// Decodes the file in this process whatever its format: what the decoding
// helper runs, inside its confinement. Otherwise as decode().
Result<Magick::Image> decodeInProcess(const QString &path, bool allowDocuments, const DecodeSize &size = {});

// Whether a file of `format` (as PictureKind tells it from the content) at
// `path` is decoded in this process rather than by the decoding helper.
bool decodesInProcess(const QString &path, const QString &format);

// "X is W x H pixels (N megapixels), more than the budget ...".
QString overBudget(const QString &path, long long columns, long long rows, long long budget);

// The size the encoded picture declares, read from its header alone, against
// the budget of one picture; `format` empty lets the content tell.
Status checkBudget(const Magick::Blob &blob, const QString &format, const QString &path);

// Runs every entry of the chain on the picture, in order.
Status applyChain(const QList<ChainEntry> &chain, Magick::Image &image);

// Encodes into the stream with the encoder named by `magick` (an extension such
// as "jpg"); quality -1 leaves the library's choice. The stream must be open for
// reading as well (see OutputFile). Fails when nothing could be written.
Status write(Magick::Image &image, const QString &magick, int quality, FILE *stream);

// All pages, in order, as one document. Takes the list by reference so that no
// page is copied: the caller should hold the only references to them.
Status writeDocument(QList<Magick::Image> &pages, const QString &magick, FILE *stream);

} // namespace PictureCodec

#endif
