#ifndef IMAGELIBRARY_H
#define IMAGELIBRARY_H

// Starting the image library the one way every program and test of ours does,
// and the limits it works within.

#include <QString>

#include <exception>
#include <type_traits>

#include "engine/result.h"

namespace ImageLibrary {

// Starts the library without signal handlers of its own (Qt and the shell keep
// theirs), with resource limits from the machine's memory (see setPicturesAtOnce),
// so that an absurd size fails that one picture as a library error instead of
// exhausting memory or disk, and with file access confined while a picture is
// decoded (see DecodingScope). Safe to call more than once.
void initialize(const char *programPath);

// Threads the library may use for one operation; 0 restores its own choice.
// Set once, at a program's start (kelvarine-batch from its --jobs, so the cores
// are shared rather than oversubscribed): the library reads it from every thread
// and an operation in progress must not see it change.
void setThreadLimit(int threads);

// The memory budget. The pictures in progress together may take about half the
// machine's memory; each of `count` pictures converted at once gets its share,
// in pixels. `megapixels` > 0 sets the share of one picture instead. Both reset
// the library's pixel, memory and disk limits. Call between batches only.
void setPicturesAtOnce(int count);
void setMaxMegapixels(int megapixels);
// The share of one picture in pixels, exactly (the decoding helper is given its
// parent's); 0 returns to the share from the memory.
void setPixelBudget(long long pixels);

// This run's own folder for temporary files (empty when it could not be made).
// It holds a lock for as long as the process lives; a run that starts removes the
// folders of earlier runs whose lock is free, so that a crash leaves none behind.
QString temporaryFolder();

// The share of one picture, in pixels: a picture that declares more is refused
// before its pixels are decoded.
long long pixelBudget();
// The largest picture the library makes or reads at all, in pixels: a few budgets,
// as a filter may enlarge a picture (Resize 200%, Border).
long long pixelLimit();

// The share of one picture when `pictures` are converted at once on a machine
// with `memoryBytes` of memory.
long long budgetFor(long long memoryBytes, int pictures);

// The machine's memory in bytes, as the budget reads it.
long long physicalMemory();

// While one lives on a thread, the library may open no file from that thread
// except its own temporary ones, and fetch no URL: a picture being decoded can
// name other files (an SVG's <image>, a drawing's "image" primitive, "@file"
// text), and reading one of those would copy any readable file on the machine
// into an output. Nests.
class DecodingScope
{
public:
    DecodingScope();
    ~DecodingScope();
    DecodingScope(const DecodingScope &) = delete;
    DecodingScope &operator=(const DecodingScope &) = delete;
};

// The library's text of a failure as a person reads it: its message and detail,
// without the source file, line and function it was raised in, and without the
// empty brackets of a missing detail. Safe from any thread.
QString readableMessage(const char *what);

namespace Detail {
template <typename T>
struct AsResult
{
    using Type = Result<T>;
};
template <typename T>
struct AsResult<Result<T>>
{
    using Type = Result<T>;
};
} // namespace Detail

// Runs `work`, which calls into Magick++, and gives back what it returns as a
// result (a result it returns as it is). The library tells of a failure by
// throwing, and of a warning it did not go on after; here that becomes the
// failure, with the library's own text. The one place where the library's
// exceptions are caught: every engine function that calls the library goes
// through it, so none leaves the engine. A picture's steps as a whole go
// through it too (see PicturePipeline), so that memory running out on the way
// fails that picture only. The text is the readable one (readableMessage).
// Safe from any thread.
template <typename Work>
auto call(Work &&work) -> typename Detail::AsResult<std::invoke_result_t<Work>>::Type
{
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Work>>) {
            work();
            return {};
        } else {
            return work();
        }
    } catch (const std::exception &error) {
        return Failure{readableMessage(error.what())};
    }
}

} // namespace ImageLibrary

#endif
