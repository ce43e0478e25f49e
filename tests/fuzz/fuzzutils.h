#ifndef FUZZUTILS_H
#define FUZZUTILS_H

// What every fuzz target shares: the Qt application object, a private folder for
// files made from the input, and the way a target reports a broken promise.

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace Fuzz {

// Created once in LLVMFuzzerInitialize, alive until the process ends.
inline void startApplication(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
}

// A temporary folder for the whole run: files made from one input are replaced by
// the next, so the run leaves nothing behind but this folder, removed at exit.
inline const QTemporaryDir &folder()
{
    static const QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "fuzz: no temporary folder\n");
        std::abort();
    }
    return dir;
}

inline QString writeFile(const QString &name, const uint8_t *data, size_t size)
{
    const QString path = folder().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

// A property the code under test promises, broken by this input: reported like a
// crash, so the fuzzer keeps the input as an artifact.
[[noreturn]] inline void fail(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "fuzz: %s\n%s\n", what, qPrintable(detail));
    std::abort();
}

} // namespace Fuzz

#endif
