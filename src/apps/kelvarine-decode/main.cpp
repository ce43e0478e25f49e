// kelvarine-decode: decodes one picture for the wizard and kelvarine-batch,
// which start it for every picture they do not decode themselves (see
// SandboxDecoder). It gives up what a decoder needs not have before it reads
// the picture (see Confinement) and hands the picture back through the shared
// memory file its parent gives it as descriptor 3.
//
//   kelvarine-decode --budget PIXELS --threads N --seconds S --parent PID
//                    [--documents] [--fit-within WxH] -- PICTURE
//
// TMPDIR names its own new, empty temporary folder. Exit status 0: the picture
// is in the shared file; otherwise the shared file holds why not, when it could
// be said.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "apps/kelvarine-decode/confinement.h"
#include "apps/kelvarine-decode/heifsize.h"
#include "engine/runtime/imagelibrary.h"
#include "engine/picture/picturecodec.h"
#include "engine/picture/picturekind.h"
#include "engine/picture/picturetransfer.h"
#include "engine/picture/sandboxdecoder.h"
#include "i18n/translations.h"

namespace {

constexpr int sharedFile = 3;
enum ExitStatus { ExitDecoded = 0, ExitFailed = 1, ExitUsage = 2, ExitUnconfined = 3 };

// Memory for the library, its modules, threads and Ghostscript beside the
// picture: what a decoder takes whatever the picture's size.
constexpr long long roomBytes = 2LL << 30;
constexpr long long roomPerThread = 128LL << 20;
// What one pixel of the budget may take in the helper: the decoded picture at
// 16 bits a sample, a developed raw picture or a codec's own planes beside it,
// and the copy handed over.
constexpr long long bytesPerPixel = 40;
// The largest file one picture may need: its transfer at 16 bits a sample (CMYK
// and alpha at most), and what it carries beside the pixels (profiles, metadata).
constexpr long long transferBytesPerPixel = 10;
constexpr long long fileRoom = 256LL << 20;

struct Arguments
{
    long long budget = 0;
    int threads = 1;
    int seconds = 0;
    long long parent = 0;
    bool documents = false;
    DecodeSize size;
    QString picture;
};

bool parse(int argc, char *argv[], Arguments *arguments)
{
    for (int i = 1; i < argc; ++i) {
        const char *option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(option, "--") == 0 && i + 2 == argc) {
            arguments->picture = QFile::decodeName(argv[i + 1]);
            break;
        }
        if (std::strcmp(option, "--documents") == 0)
            arguments->documents = true;
        else if (std::strcmp(option, "--fit-within") == 0 && hasValue)
            arguments->size = DecodeSize::fromArgument(QString::fromLatin1(argv[++i]));
        else if (std::strcmp(option, "--budget") == 0 && hasValue)
            arguments->budget = QByteArray(argv[++i]).toLongLong();
        else if (std::strcmp(option, "--threads") == 0 && hasValue)
            arguments->threads = QByteArray(argv[++i]).toInt();
        else if (std::strcmp(option, "--seconds") == 0 && hasValue)
            arguments->seconds = QByteArray(argv[++i]).toInt();
        else if (std::strcmp(option, "--parent") == 0 && hasValue)
            arguments->parent = QByteArray(argv[++i]).toLongLong();
        else
            return false;
    }
    return arguments->budget > 0 && arguments->seconds > 0 && arguments->parent > 0 && !arguments->picture.isEmpty();
}

bool isHeif(const QString &format)
{
    return format == QLatin1String("HEIF") || format == QLatin1String("HEIC") || format == QLatin1String("AVIF");
}

int decode(const Arguments &arguments)
{
    const QString name = QDir::toNativeSeparators(arguments.picture);
    // The library's failures come back as results; what is caught here is memory
    // running out anywhere else, against the helper's limit.
    try {
        // The size a HEIF declares is checked before the library trusts it.
        Status declared;
        const Result<QString> format = PictureKind::admitFile(arguments.picture, arguments.documents);
        QFile file(arguments.picture);
        if (format && isHeif(format.value()) && file.open(QIODevice::ReadOnly))
            declared = HeifSize::check(arguments.picture, file.readAll());
        Result<Magick::Image> image = declared ? PictureCodec::decodeInProcess(arguments.picture, arguments.documents, arguments.size)
                                               : Result<Magick::Image>(Failure{declared.error()});
        const Status sent = image ? PictureTransfer::sendPicture(sharedFile, image.value()) : Failure{image.error()};
        if (sent)
            return ExitDecoded;
        if (!sent.error().isEmpty())
            PictureTransfer::sendFailure(sharedFile, sent.error());
    } catch (const std::bad_alloc &) {
        PictureTransfer::sendFailure(
            sharedFile, QCoreApplication::translate("SandboxDecoder", "The decoder stopped on %1: it ran out of the memory one picture may take").arg(name));
    }
    return ExitFailed;
}

} // namespace

int main(int argc, char *argv[])
{
    Arguments arguments;
    if (!parse(argc, argv, &arguments)) {
        std::fputs("kelvarine-decode: started by kelvarine and kelvarine-batch only\n", stderr);
        return ExitUsage;
    }
    const QString folder = qEnvironmentVariable("TMPDIR");
    const int threads = std::max(1, arguments.threads);
    Confinement::Limits limits;
    limits.addressSpace = arguments.budget * bytesPerPixel + roomBytes + threads * roomPerThread;
    limits.processorSeconds = static_cast<long long>(arguments.seconds) * threads + 5;
    limits.fileSize = arguments.budget * transferBytesPerPixel + fileRoom;
    if (folder.isEmpty() || !Confinement::detach(pid_t(arguments.parent)) || !Confinement::limit(limits)
        || Confinement::confine(folder, QFileInfo(arguments.picture).absoluteFilePath()) < 0) {
        PictureTransfer::sendFailure(
            sharedFile, QCoreApplication::translate("SandboxDecoder", "The decoder of %1 could not confine itself")
                            .arg(QDir::toNativeSeparators(arguments.picture)));
        return ExitUnconfined;
    }

    QCoreApplication app(argc, argv);
    Translations::install(&app);
    ImageLibrary::initialize(argv[0]);
    ImageLibrary::setPixelBudget(arguments.budget);
    ImageLibrary::setThreadLimit(threads);
    SandboxDecoder::setTimeLimit(arguments.seconds);
    const int status = decode(arguments);
    // Nothing is left to tidy: the parent removes the temporary folder, and a
    // leak checker's report at exit (under AddressSanitizer) would only turn a
    // decoded picture into a failed one.
    std::fflush(nullptr);
    ::_exit(status);
}
