// Pictures from anywhere: the bytes after the first as a file whose suffix the
// first byte chooses (see suffixes), decoded as the program and its decoding
// helper decode them. Refusals (failed results) are expected; exceptions, crashes,
// leaks, hangs and allocations beyond the budget are not.

#include <QString>

#include <iterator>

#include "fuzzutils.h"
#include "engine/runtime/imagelibrary.h"
#include "engine/picture/picturecodec.h"

namespace {

// Formats told by their content, and a few the suffix alone names or that are
// read only under their own suffix (drawings). PostScript, or text, under another
// suffix is refused before any decoder runs; that refusal is ours and is fuzzed.
// Under its own suffix PostScript starts Ghostscript twice, a fifth of a second
// each, a program of its own that no coverage here can guide: in a short run those
// inputs would take all the time, so ".ps" and ".txt" are left out.
const char *const suffixes[] = {"jpg", "png", "tif", "gif", "bmp", "webp", "pnm", "psd",
                                "ico", "tga", "pcx", "svg", "jpeg", "mvg", "tiff", "svgz"};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    ImageLibrary::initialize((*argv)[0]);
    // One thread, and a budget that fits the fuzzer's memory limit with the
    // sanitizer's overhead: a picture declaring more is refused before decoding.
    ImageLibrary::setThreadLimit(1);
    ImageLibrary::setMaxMegapixels(4);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const char *suffix = suffixes[data[0] % std::size(suffixes)];
    const QString path = Fuzz::writeFile(QStringLiteral("picture.") + QLatin1String(suffix), data + 1, size - 1);
    // What the decoding helper runs, here in the fuzzer's process where its
    // coverage guides the inputs; decode() would hand most formats to the helper.
    const Result<Magick::Image> image = PictureCodec::decodeInProcess(path, false);
    if (image) {
        // What a batch asks of every picture it read.
        (void)image.value().columns();
        (void)image.value().rows();
    }
    return 0;
}
