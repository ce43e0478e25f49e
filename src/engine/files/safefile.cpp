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

Failure failure(const char *what, const QString &path, const QString &reason)
{
    return Failure{tr(what).arg(QDir::toNativeSeparators(path), reason)};
}

Failure systemFailure()
{
    return Failure{QString::fromLocal8Bit(std::strerror(errno))};
}

bool isLink(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

} // namespace

namespace SafeFile {

Status copyContents(int in, int out)
{
    struct stat info;
    if (fstat(in, &info) != 0)
        return systemFailure();
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
            return systemFailure();
        }
    }
    if (kernel)
        return {};

    constexpr size_t bufferSize = 1 << 20;
    QByteArray buffer(int(bufferSize), Qt::Uninitialized);
    for (;;) {
        const ssize_t got = read(in, buffer.data(), bufferSize);
        if (got == 0)
            return {};
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return systemFailure();
        }
        for (ssize_t written = 0; written < got;) {
            const ssize_t put = ::write(out, buffer.constData() + written, size_t(got - written));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return systemFailure();
            }
            written += put;
        }
    }
}

Result<std::unique_ptr<OutputFile>> copyToOutput(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return failure("Cannot read %1: %2", source, in.errorString());
    auto out = std::make_unique<OutputFile>(target);
    const Status opened = out->open();
    if (!opened)
        return Failure{opened.error()};
    const Status copied = copyContents(in.handle(), out->handle());
    if (!copied)
        return failure("Cannot write %1: %2", target, copied.error());
    // A copy is the same picture: the same permissions and the same date.
    FileAttributes::takeMode(source, out->handle());
    FileAttributes::takeTimes(source, out->handle());
    return out;
}

Status copy(const QString &source, const QString &target, bool durable)
{
    const Result<std::unique_ptr<OutputFile>> out = copyToOutput(source, target);
    if (!out)
        return Failure{out.error()};
    return out.value()->commit(durable);
}

Status move(const QString &source, const QString &target)
{
    // A link is read through: renaming it would make the output a link, one that
    // points nowhere when it was relative.
    if (!isLink(source)) {
        const QByteArray from = QFile::encodeName(source);
        const QByteArray to = QFile::encodeName(target);
        if (std::rename(from.constData(), to.constData()) == 0)
            return {};
        if (errno != EXDEV)
            return failure("Cannot move %1: %2", source, QString::fromLocal8Bit(std::strerror(errno)));
    }
    const Status copied = copy(source, target, true);
    return copied ? removeSource(source, target) : copied;
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

Status removeSource(const QString &source, const QString &output)
{
    if (samePath(source, output) || !QFileInfo::exists(output))
        return {};
    QFile file(source);
    if (file.remove())
        return {};
    return Failure{tr("%1 was written, but its source %2 could not be removed: %3")
                       .arg(QDir::toNativeSeparators(output), QDir::toNativeSeparators(source), file.errorString())};
}

} // namespace SafeFile
