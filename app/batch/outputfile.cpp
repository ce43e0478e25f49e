#include "outputfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool OutputFile::open(QString *error)
{
    // A file without a name, given one only when complete (mode 0666 less the umask).
    m_fd = ::open(folderOf(m_targetName).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (m_fd >= 0)
        return true;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return fail(error, errno);
    // A file system without unnamed files: a named one, removed unless committed.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = tempNameFor(m_targetName);
        m_fd = ::open(name.constData(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_tempName = name;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    return fail(error, errno);
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

bool OutputFile::commit(QString *error, bool durable)
{
    if (m_fd < 0)
        return fail(error, EBADF);
    int code = 0;
    if (!closeStream(&code))
        return fail(error, code);
    if (durable && ::fdatasync(m_fd) != 0)
        return fail(error, errno);

    if (m_tempName.isEmpty()) {
        // Where nothing is in the way the finished file simply gets the target's name.
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, m_targetName.constData(), AT_SYMLINK_FOLLOW) == 0)
            return done();
        if (errno != EEXIST)
            return fail(error, errno);
        // Otherwise it needs a name of its own to be renamed over the target from.
        for (int attempt = 0; attempt < 100 && m_tempName.isEmpty(); ++attempt) {
            const QByteArray name = tempNameFor(m_targetName);
            if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
                m_tempName = name;
            else if (errno != EEXIST)
                return fail(error, errno);
        }
    }
    // A replaced file keeps any restriction it had, on top of those the output
    // took from its source.
    struct stat existing;
    struct stat own;
    if (::stat(m_targetName.constData(), &existing) == 0 && S_ISREG(existing.st_mode) && ::fstat(m_fd, &own) == 0)
        ::fchmod(m_fd, own.st_mode & existing.st_mode & 07777);
    if (::rename(m_tempName.constData(), m_targetName.constData()) != 0)
        return fail(error, errno);
    m_tempName.clear();
    return done();
}

bool OutputFile::done()
{
    ::close(m_fd);
    m_fd = -1;
    return true;
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

bool OutputFile::fail(QString *error, int code)
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempName.isEmpty()) {
        ::unlink(m_tempName.constData());
        m_tempName.clear();
    }
    if (error) {
        *error = QCoreApplication::translate("OutputFile", "Cannot write %1: %2")
                     .arg(QDir::toNativeSeparators(m_target), QString::fromLocal8Bit(std::strerror(code)));
    }
    return false;
}
