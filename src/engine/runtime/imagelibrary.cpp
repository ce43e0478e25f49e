#include "engine/runtime/imagelibrary.h"

#include <Magick++.h>
#include <magick/api.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QStringList>

#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>

namespace {

// The widest side the library accepts, whatever the budget: a panorama, not a bug.
constexpr long long maxSide = 200'000LL;
// What one pixel of a picture in progress costs: 8 bytes at 16 bits a sample, and
// up to three copies of it at once (the decoded picture, a filter's result, and
// the encoder's or the next filter's working copy).
constexpr long long bytesPerPixel = 24;
// A filter may enlarge a picture (Resize 200%, Border) beyond what was decoded;
// the library itself refuses a result past this many budgets.
constexpr long long growthAllowance = 4;

int defaultThreads = 0;
std::atomic<int> picturesAtOnce{1};
std::atomic<long long> budgetOverride{0};

thread_local int decodingDepth = 0;
// The library's own temporary files go to a folder of ours that only this process
// knows, so that a path a picture names cannot pass for one of them.
QByteArray runFolder;

long long memoryFromProc()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : meminfo.readAll().split('\n')) {
        if (line.startsWith("MemTotal:"))
            return line.mid(9).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

bool isOwnTemporaryFile(const char *path)
{
    if (!path || runFolder.isEmpty())
        return false;
    const QByteArray name(path);
    const QByteArray prefix = runFolder + "/gm";
    return name.startsWith(prefix) && name.indexOf('/', prefix.size()) < 0;
}

unsigned int confirmAccess(const MagickLib::ConfirmAccessMode mode, const char *path, MagickLib::ExceptionInfo *)
{
    if (decodingDepth == 0)
        return MagickPass;
    switch (mode) {
    case MagickLib::FileReadConfirmAccessMode:
    case MagickLib::FileWriteConfirmAccessMode:
        return isOwnTemporaryFile(path) ? MagickPass : MagickFail;
    case MagickLib::FileExecuteConfirmAccessMode:
        // Helper programs of formats read under their own suffix (Ghostscript for
        // PDF) run on the picture itself; what they may open is the library's
        // temporary copy of it.
        return MagickPass;
    default:
        return MagickFail;
    }
}

constexpr char folderPrefix[] = "kelvarine-";
constexpr char lockName[] = "/lock";

// A folder of an earlier run whose lock nobody holds: that run has ended without
// removing it (killed, crashed). A folder without a lock is left alone: it is
// being made, or belongs to a program that takes no lock and may still run.
bool isAbandoned(const QByteArray &folder)
{
    struct stat status;
    if (::lstat(folder.constData(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::getuid())
        return false;
    const int lock = ::open((folder + lockName).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (lock < 0)
        return false;
    const bool free = ::flock(lock, LOCK_EX | LOCK_NB) == 0;
    ::close(lock);
    return free;
}

void removeAbandonedFolders(const QByteArray &base, const QByteArray &own)
{
    DIR *dir = ::opendir(base.constData());
    if (!dir)
        return;
    QList<QByteArray> abandoned;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray folder = base + '/' + entry->d_name;
        if (QByteArray(entry->d_name).startsWith(folderPrefix) && folder != own && isAbandoned(folder))
            abandoned.append(folder);
    }
    ::closedir(dir);
    for (const QByteArray &folder : std::as_const(abandoned))
        QDir(QFile::decodeName(folder)).removeRecursively();
}

void makeTemporaryFolder()
{
    QByteArray base = qgetenv("MAGICK_TMPDIR");
    if (base.isEmpty())
        base = QFile::encodeName(QDir::tempPath());
    // Made under another name and given its own once its lock is held: a run that
    // looks for abandoned folders at that moment never finds it unlocked.
    QByteArray making = base + "/.kelvarine-new-XXXXXX";
    if (!::mkdtemp(making.data()))
        return;  // the library's default then; its temporary files are refused while decoding
    // Held as long as the process lives, whatever way it ends: the next run that
    // finds the lock free removes what this one left.
    const int lock = ::open((making + lockName).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (lock >= 0)
        ::flock(lock, LOCK_EX | LOCK_NB);
    QByteArray folder = base + '/' + folderPrefix + making.right(6);
    if (::renameat2(AT_FDCWD, making.constData(), AT_FDCWD, folder.constData(), RENAME_NOREPLACE) != 0)
        folder = making;
    runFolder = folder;
    qputenv("MAGICK_TMPDIR", folder);
    std::atexit([] { QDir(QFile::decodeName(runFolder)).removeRecursively(); });
    removeAbandonedFolders(base, folder);
}

void applyLimits()
{
    const long long memory = ImageLibrary::physicalMemory();
    MagickLib::SetMagickResourceLimit(MagickLib::PixelsResource, ImageLibrary::pixelLimit());
    MagickLib::SetMagickResourceLimit(MagickLib::WidthResource, maxSide);
    MagickLib::SetMagickResourceLimit(MagickLib::HeightResource, maxSide);
    // Heap and memory-mapped pixel cache of all pictures together up to half of the
    // machine, and no more on disk than a few pictures need: a runaway size fails
    // instead of filling the disk.
    MagickLib::SetMagickResourceLimit(MagickLib::MemoryResource, memory / 2);
    MagickLib::SetMagickResourceLimit(MagickLib::MapResource, memory / 2);
    MagickLib::SetMagickResourceLimit(MagickLib::DiskResource, std::min(memory, 16LL << 30));
}

} // namespace

namespace ImageLibrary {

void initialize(const char *programPath)
{
    static bool started = false;
    if (started)
        return;
    started = true;

    makeTemporaryFolder();
    MagickLib::InitializeMagickEx(programPath, MAGICK_OPT_NO_SIGNAL_HANDER, nullptr);
    MagickLib::MagickSetConfirmAccessHandler(confirmAccess);
    applyLimits();
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

void setPicturesAtOnce(int count)
{
    picturesAtOnce = std::max(1, count);
    applyLimits();
}

void setMaxMegapixels(int megapixels)
{
    budgetOverride = megapixels > 0 ? megapixels * 1'000'000LL : 0;
    applyLimits();
}

void setPixelBudget(long long pixels)
{
    budgetOverride = std::max(0LL, pixels);
    applyLimits();
}

QString temporaryFolder()
{
    return QFile::decodeName(runFolder);
}

long long pixelBudget()
{
    const long long chosen = budgetOverride;
    return chosen > 0 ? chosen : budgetFor(physicalMemory(), picturesAtOnce);
}

long long pixelLimit()
{
    return pixelBudget() * growthAllowance;
}

QString readableMessage(const char *what)
{
    // "Magick: Premature end of JPEG file () reported by coders/jpeg.c:386
    // (JPEGDecodeMessageHandler)": the library's name and the place in its
    // source tell a photographer nothing, and the brackets of a missing detail less.
    static const QRegularExpression library(QStringLiteral("^Magick: "));
    static const QRegularExpression place(QStringLiteral(R"(\s*reported by \S+:\d+\s*\([^()]*\)\s*$)"));
    static const QRegularExpression emptyDetail(QStringLiteral(R"(\s*\(\s*\)\s*$)"));
    QStringList lines = QString::fromLocal8Bit(what).split(QLatin1Char('\n'));
    for (QString &line : lines) {
        line.remove(library);
        line.remove(place);
        line.remove(emptyDetail);
    }
    return lines.join(QLatin1Char('\n')).trimmed();
}

long long budgetFor(long long memoryBytes, int pictures)
{
    return memoryBytes / 2 / std::max(1, pictures) / bytesPerPixel;
}

long long physicalMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        return static_cast<long long>(pages) * pageSize;
    const long long fromProc = memoryFromProc();
    return fromProc > 0 ? fromProc : 4LL << 30;
}

DecodingScope::DecodingScope()
{
    ++decodingDepth;
}

DecodingScope::~DecodingScope()
{
    --decodingDepth;
}

} // namespace ImageLibrary
