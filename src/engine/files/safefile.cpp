#include "engine/files/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/files/fileattributes.h"
#include "engine/files/outputfile.h"

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SafeFile", text);
}

QString failure(const char *what, const QString &path, const QString &reason)
{
    return tr(what).arg(QDir::toNativeSeparators(path), reason);
}

bool isLink(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

} // namespace

namespace SafeFile {

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
    // A link is read through: renaming it would make the output a link, one that
    // points nowhere when it was relative.
    if (!isLink(source)) {
        const QByteArray from = QFile::encodeName(source);
        const QByteArray to = QFile::encodeName(target);
        if (std::rename(from.constData(), to.constData()) == 0)
            return true;
        if (errno != EXDEV) {
            if (error)
                *error = failure("Cannot move %1: %2", source, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    }
    return copy(source, target, error, true) && removeSource(source, target, error);
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

bool removeSource(const QString &source, const QString &output, QString *error)
{
    if (samePath(source, output) || !QFileInfo::exists(output))
        return true;
    QFile file(source);
    if (file.remove())
        return true;
    if (error) {
        *error = tr("%1 was written, but its source %2 could not be removed: %3")
                     .arg(QDir::toNativeSeparators(output), QDir::toNativeSeparators(source), file.errorString());
    }
    return false;
}

} // namespace SafeFile
