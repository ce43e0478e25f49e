#include "safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

#include "fileattributes.h"
#include "outputfile.h"

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SafeFile", text);
}

QString failure(const char *what, const QString &path, const QString &reason)
{
    return tr(what).arg(QDir::toNativeSeparators(path), reason);
}

// Copies the whole of `in` to the end of `out` by the kernel (no trip through
// user space; a reflink where the file system offers one), falling back to a
// plain loop where the file systems do not allow it.
bool copyContents(int in, int out, QString *reason)
{
    struct stat info;
    if (fstat(in, &info) != 0) {
        *reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    off_t left = info.st_size;
    bool kernel = true;
    while (left > 0 && kernel) {
        const ssize_t done = copy_file_range(in, nullptr, out, nullptr, size_t(left), 0);
        if (done > 0) {
            left -= done;
        } else if (done == 0) {
            break;  // the source shrank meanwhile
        } else if (errno == EINTR) {
            continue;
        } else if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
            kernel = false;
        } else {
            *reason = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
    }
    if (kernel)
        return true;

    constexpr size_t bufferSize = 1 << 20;
    QByteArray buffer(int(bufferSize), Qt::Uninitialized);
    for (;;) {
        const ssize_t got = read(in, buffer.data(), bufferSize);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            *reason = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        for (ssize_t written = 0; written < got;) {
            const ssize_t put = ::write(out, buffer.constData() + written, size_t(got - written));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                *reason = QString::fromLocal8Bit(std::strerror(errno));
                return false;
            }
            written += put;
        }
    }
}

} // namespace

namespace SafeFile {

std::unique_ptr<OutputFile> copyToOutput(const QString &source, const QString &target, QString *error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = failure("Cannot read %1: %2", source, in.errorString());
        return nullptr;
    }
    auto out = std::make_unique<OutputFile>(target);
    if (!out->open(error))
        return nullptr;
    QString reason;
    if (!copyContents(in.handle(), out->handle(), &reason)) {
        if (error)
            *error = failure("Cannot write %1: %2", target, reason);
        return nullptr;
    }
    // A copy is the same picture: the same permissions and the same date.
    FileAttributes::takeMode(source, out->handle());
    FileAttributes::takeTimes(source, out->handle());
    return out;
}

bool copy(const QString &source, const QString &target, QString *error, bool durable)
{
    const std::unique_ptr<OutputFile> out = copyToOutput(source, target, error);
    return out && out->commit(error, durable);
}

bool move(const QString &source, const QString &target, QString *error)
{
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    if (std::rename(from.constData(), to.constData()) == 0)
        return true;
    if (errno != EXDEV) {
        if (error)
            *error = failure("Cannot move %1: %2", source, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!copy(source, target, error, true))
        return false;
    QFile::remove(source);
    return true;
}

bool samePath(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    // One file under two names (links, "..", a second mount) has one identity.
    struct stat first;
    struct stat second;
    return ::stat(QFile::encodeName(a).constData(), &first) == 0
           && ::stat(QFile::encodeName(b).constData(), &second) == 0
           && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool removeSource(const QString &source, const QString &output)
{
    if (samePath(source, output) || !QFileInfo::exists(output))
        return false;
    return QFile::remove(source);
}

} // namespace SafeFile
