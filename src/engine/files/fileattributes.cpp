#include "engine/files/fileattributes.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

bool sourceStatus(const QString &source, struct stat *status)
{
    return ::stat(QFile::encodeName(source).constData(), status) == 0;
}

} // namespace

namespace FileAttributes {

bool takeMode(const QString &source, int fd)
{
    struct stat status;
    // Only the permission bits: set-user-ID and the like are no business of a picture.
    return sourceStatus(source, &status) && ::fchmod(fd, status.st_mode & 0777) == 0;
}

bool takeMode(const QStringList &sources, int fd)
{
    mode_t mode = 0777;
    for (const QString &source : sources) {
        struct stat status;
        if (sourceStatus(source, &status))
            mode &= status.st_mode;
    }
    return !sources.isEmpty() && ::fchmod(fd, mode & 0777) == 0;
}

bool takeTimes(const QString &source, int fd)
{
    struct stat status;
    if (!sourceStatus(source, &status))
        return false;
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    return ::futimens(fd, times) == 0;
}

} // namespace FileAttributes
