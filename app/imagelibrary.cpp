#include "imagelibrary.h"

#include <Magick++.h>
#include <magick/api.h>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>

namespace {

// Large enough for a stitched panorama, small enough that one picture at 16 bits
// per sample (8 bytes a pixel) still fits the memory of an ordinary desktop.
constexpr long long maxPixels = 1'000'000'000LL;
constexpr long long maxSide = 200'000LL;

int defaultThreads = 0;

long long physicalMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return 4LL << 30;
    return static_cast<long long>(pages) * pageSize;
}

} // namespace

namespace ImageLibrary {

void initialize(const char *programPath)
{
    static bool started = false;
    if (started)
        return;
    started = true;

    MagickLib::InitializeMagickEx(programPath, MAGICK_OPT_NO_SIGNAL_HANDER, nullptr);

    const long long memory = physicalMemory();
    MagickLib::SetMagickResourceLimit(MagickLib::PixelsResource, maxPixels);
    MagickLib::SetMagickResourceLimit(MagickLib::WidthResource, maxSide);
    MagickLib::SetMagickResourceLimit(MagickLib::HeightResource, maxSide);
    // Heap and memory-mapped pixel cache each up to half of the machine, and no more
    // on disk than a few pictures need: a runaway size fails instead of filling the disk.
    MagickLib::SetMagickResourceLimit(MagickLib::MemoryResource, memory / 2);
    MagickLib::SetMagickResourceLimit(MagickLib::MapResource, memory / 2);
    MagickLib::SetMagickResourceLimit(MagickLib::DiskResource, std::min(memory, 16LL << 30));

    defaultThreads = static_cast<int>(MagickLib::GetMagickResourceLimit(MagickLib::ThreadsResource));

    // A photograph's pixels take tens of megabytes, past the size from which the C
    // library maps every allocation afresh and gives it back when freed: each
    // picture then pays for the system clearing its memory again. Kept in the
    // heap, one picture's memory serves the next.
    mallopt(M_MMAP_THRESHOLD, 512 << 20);
    mallopt(M_TRIM_THRESHOLD, 1024 << 20);
}

void setThreadLimit(int threads)
{
    MagickLib::SetMagickResourceLimit(MagickLib::ThreadsResource, threads > 0 ? threads : defaultThreads);
}

long long pixelLimit()
{
    return maxPixels;
}

} // namespace ImageLibrary
