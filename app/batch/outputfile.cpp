#include "outputfile.h"

#include <QCoreApplication>
#include <QDir>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

OutputFile::OutputFile(const QString &target)
    : m_target(target)
    , m_file(target)
{
}

OutputFile::~OutputFile()
{
    QString ignored;
    closeStream(&ignored);
    // QSaveFile removes its temporary file when destroyed uncommitted.
}

bool OutputFile::open(QString *error)
{
    if (m_file.open(QIODevice::WriteOnly))
        return true;
    if (error)
        *error = failure(m_file.errorString());
    return false;
}

FILE *OutputFile::stream()
{
    if (!m_stream && m_file.isOpen()) {
        const int fd = dup(m_file.handle());
        if (fd >= 0) {
            m_stream = fdopen(fd, "w+b");
            if (!m_stream)
                ::close(fd);
        }
    }
    return m_stream;
}

bool OutputFile::commit(QString *error)
{
    QString reason;
    if (!closeStream(&reason)) {
        m_file.cancelWriting();
        if (error)
            *error = failure(reason);
        return false;
    }
    if (m_file.commit())
        return true;
    if (error)
        *error = failure(m_file.errorString());
    return false;
}

bool OutputFile::closeStream(QString *reason)
{
    if (!m_stream)
        return true;
    // A full disk or a size limit shows only here, as a failed flush or a stream error.
    errno = 0;
    bool ok = std::fflush(m_stream) == 0 && !std::ferror(m_stream);
    const int flushError = errno;
    ok = std::fclose(m_stream) == 0 && ok;
    m_stream = nullptr;
    if (!ok)
        *reason = systemError(flushError ? flushError : errno ? errno : EIO);
    return ok;
}

QString OutputFile::failure(const QString &reason) const
{
    return QCoreApplication::translate("OutputFile", "Cannot write %1: %2")
        .arg(QDir::toNativeSeparators(m_target), reason);
}
