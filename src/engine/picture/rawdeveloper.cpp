#include "engine/picture/rawdeveloper.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

#include "engine/picture/picturecodec.h"
#include "engine/picture/sandboxdecoder.h"
#include "engine/runtime/imagelibrary.h"

namespace {

// Left of the picture's time for the decoding helper to tell why dcraw failed,
// before its parent stops it.
constexpr int reportingMs = 2000;

QString tr(const char *text)
{
    return QCoreApplication::translate("PictureCodec", text);
}

// What dcraw printed on its standard output, or a failure when it did not end
// before the deadline; then it is stopped with everything it started. Empty
// when it could not run or failed.
Result<QByteArray> runDcraw(const QString &dcraw, const QStringList &arguments, const QString &path,
                            const QDeadlineTimer &deadline)
{
    QProcess process;
    // Its own group, so that stopping it stops what it started, and gone with
    // its parent, so that a decoding helper that is stopped takes it along.
    process.setChildProcessModifier([] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    process.start(dcraw, arguments + QStringList{QFileInfo(path).absoluteFilePath()});
    process.closeWriteChannel();
    if (!process.waitForStarted(int(std::max<qint64>(deadline.remainingTime(), 1))))
        return QByteArray();
    if (!process.waitForFinished(int(std::max<qint64>(deadline.remainingTime(), 1)))) {
        const qint64 pid = process.processId();
        if (pid > 0)
            ::kill(-pid_t(pid), SIGKILL);
        process.kill();
        process.waitForFinished(reportingMs);
        return Failure{tr("The raw helper dcraw stopped on %1: it took longer than %2 s")
                           .arg(QDir::toNativeSeparators(path))
                           .arg((RawDeveloper::timeLimitMs() + 999) / 1000)};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QByteArray();
    return process.readAllStandardOutput();
}

// The size dcraw tells of a raw picture without developing it ("Output size:
// 4000 x 3000"); 0 x 0 when it finds no raw picture in the file.
std::pair<long long, long long> rawSize(const QByteArray &told)
{
    long long columns = 0;
    long long rows = 0;
    for (const QByteArray &line : told.split('\n')) {
        if (!line.startsWith("Output size:") && !line.startsWith("Image size:"))
            continue;
        const QList<QByteArray> size = line.mid(line.indexOf(':') + 1).simplified().split(' ');
        if (size.size() == 3 && size.at(1) == "x") {
            columns = std::max(columns, size.at(0).toLongLong());
            rows = std::max(rows, size.at(2).toLongLong());
        }
    }
    return {columns, rows};
}

} // namespace

namespace RawDeveloper {

int timeLimitMs()
{
    return std::max(1000, SandboxDecoder::timeLimit() * 1000 - reportingMs);
}

Result<bool> develop(const QString &path, Magick::Image &image)
{
    const QString dcraw = QStandardPaths::findExecutable(QStringLiteral("dcraw"));
    if (dcraw.isEmpty())
        return false;
    // One deadline for telling the size and developing: together they are one
    // picture's decoding.
    const QDeadlineTimer deadline(timeLimitMs());
    const Result<QByteArray> told = runDcraw(dcraw, {"-i", "-v"}, path, deadline);
    if (!told)
        return Failure{told.error()};
    const auto [columns, rows] = rawSize(told.value());
    if (columns <= 0 || rows <= 0)
        return false;
    const long long budget = ImageLibrary::pixelBudget();
    if (columns * rows > budget)
        return Failure{PictureCodec::overBudget(path, columns, rows, budget)};
    const Result<QByteArray> tiff = runDcraw(dcraw, {"-c", "-w", "-6", "-T"}, path, deadline);
    if (!tiff)
        return Failure{tiff.error()};
    if (tiff.value().isEmpty())
        return false;
    const Magick::Blob blob(tiff.value().constData(), size_t(tiff.value().size()));
    const ImageLibrary::DecodingScope confined;
    const Status within = PictureCodec::checkBudget(blob, QStringLiteral("TIFF"), path);
    if (!within)
        return Failure{within.error()};
    return ImageLibrary::call([&] {
        image.magick("TIFF");
        image.read(blob);
        image.magick("DCRAW");  // what it was read as: the helper has turned it upright already
        return true;
    });
}

} // namespace RawDeveloper
