#include "engine/files/outputfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/files/safefile.h"

namespace {

QByteArray folderOf(const QByteArray &path)
{
    const int slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

// A fresh name in the target's folder for the temporary file; short, so that a
// target whose name is as long as the system allows still gets one.
QByteArray tempNameFor(const QByteArray &target)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = folderOf(target) + "/.kelvarine-";
    for (int i = 0; i < 10; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
    return name;
}

// Set once a finished unnamed file could not be given a name: neither linking
// by descriptor is permitted nor is /proc there to link through. From then on
// every output starts as a named temporary file.
std::atomic<bool> unnamedFilesUnusable{false};

// Linking by descriptor may be refused (it needs a privilege in many setups);
// the other way goes through /proc, which a container or chroot may not have.
// A folder that refuses new files gives other errors.
bool cannotLinkHere(int code)
{
    return code == ENOENT && ::access("/proc/self/fd", X_OK) != 0;
}

// Forces a folder's entries to the disk: a name given or taken is lost in a crash
// until its folder is synced. File systems that cannot sync a folder have nothing to lose.
int syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int code = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (code == EINVAL || code == EROFS || code == EOPNOTSUPP)
        code = 0;
    return code;
}

} // namespace

OutputFile::OutputFile(const QString &target)
    : m_target(target)
    , m_targetName(QFile::encodeName(target))
{
}

OutputFile::~OutputFile()
{
    int ignored = 0;
    closeStream(&ignored);
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_tempName.isEmpty())
        ::unlink(m_tempName.constData());
}

Status OutputFile::open()
{
    // A file without a name, given one only when complete (mode 0666 less the umask).
    if (!unnamedFilesUnusable) {
        m_fd = ::open(folderOf(m_targetName).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            return {};
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return fail(errno);
    }
    // A file system without unnamed files: a named one, removed unless committed.
    const int code = openNamed();
    return code == 0 ? Status() : fail(code);
}

int OutputFile::openNamed()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = tempNameFor(m_targetName);
        m_fd = ::open(name.constData(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_tempName = name;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

int OutputFile::linkUnnamed(const QByteArray &name) const
{
    // By descriptor where the system permits it, else through /proc, which a
    // container or chroot may not have.
    if (::linkat(m_fd, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH) == 0)
        return 0;
    if (errno != ENOENT && errno != EPERM && errno != EACCES && errno != EINVAL)
        return errno;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    return errno;
}

int OutputFile::nameByCopy()
{
    // The finished contents go into a named temporary file, which takes the
    // unnamed one's place.
    unnamedFilesUnusable = true;
    const int unnamed = m_fd;
    m_fd = -1;
    int code = openNamed();
    if (code == 0) {
        if (::lseek(unnamed, 0, SEEK_SET) != 0 || !SafeFile::copyContents(unnamed, m_fd))
            code = errno ? errno : EIO;
        // With the permissions and the date the output was given.
        struct stat given;
        if (code == 0 && ::fstat(unnamed, &given) == 0) {
            const struct timespec times[2] = {given.st_atim, given.st_mtim};
            ::fchmod(m_fd, given.st_mode & 07777);
            ::futimens(m_fd, times);
        }
    }
    ::close(unnamed);
    return code;
}

FILE *OutputFile::stream()
{
    if (!m_stream && m_fd >= 0) {
        const int fd = ::dup(m_fd);
        if (fd >= 0) {
            m_stream = ::fdopen(fd, "w+b");
            if (!m_stream)
                ::close(fd);
        }
    }
    return m_stream;
}

Status OutputFile::commit(bool durable)
{
    if (m_fd < 0)
        return fail(EBADF);
    int code = 0;
    if (!closeStream(&code))
        return fail(code);
    if (durable && ::fdatasync(m_fd) != 0)
        return fail(errno);

    if (m_tempName.isEmpty()) {
        // Where nothing is in the way the finished file simply gets the target's name.
        code = linkUnnamed(m_targetName);
        if (code == 0)
            return done(durable);
        if (code != EEXIST && !cannotLinkHere(code))
            return fail(code);
        // Otherwise it needs a name of its own to be renamed over the target from.
        for (int attempt = 0; attempt < 100 && m_tempName.isEmpty() && code == EEXIST; ++attempt) {
            const QByteArray name = tempNameFor(m_targetName);
            code = linkUnnamed(name);
            if (code == 0)
                m_tempName = name;
        }
        if (code != 0 && cannotLinkHere(code))
            code = nameByCopy();
        if (code != 0)
            return fail(code);
        if (durable && ::fdatasync(m_fd) != 0)
            return fail(errno);
    }
    // A replaced file keeps any restriction it had, on top of those the output
    // took from its source; a replaced link is no file of ours to take them
    // from, and what it points to is left alone.
    struct stat existing;
    struct stat own;
    if (::lstat(m_targetName.constData(), &existing) == 0 && S_ISREG(existing.st_mode) && ::fstat(m_fd, &own) == 0)
        ::fchmod(m_fd, own.st_mode & existing.st_mode & 07777);
    if (::rename(m_tempName.constData(), m_targetName.constData()) != 0)
        return fail(errno);
    m_tempName.clear();
    return done(durable);
}

Status OutputFile::done(bool durable)
{
    ::close(m_fd);
    m_fd = -1;
    const int code = durable ? syncFolder(folderOf(m_targetName)) : 0;
    return code == 0 ? Status() : fail(code);
}

bool OutputFile::closeStream(int *error)
{
    if (!m_stream)
        return true;
    // A full disk or a size limit shows only here, as a failed flush or a stream error.
    errno = 0;
    bool ok = std::fflush(m_stream) == 0 && !std::ferror(m_stream);
    int code = errno;
    if (std::fclose(m_stream) != 0 && ok) {
        ok = false;
        code = errno;
    }
    m_stream = nullptr;
    if (!ok)
        *error = code ? code : EIO;
    return ok;
}

Failure OutputFile::fail(int code)
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempName.isEmpty()) {
        ::unlink(m_tempName.constData());
        m_tempName.clear();
    }
    return Failure{QCoreApplication::translate("OutputFile", "Cannot write %1: %2")
                       .arg(QDir::toNativeSeparators(m_target), QString::fromLocal8Bit(std::strerror(code)))};
}
