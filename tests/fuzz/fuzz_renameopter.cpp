// Naming templates as a project file or the custom naming dialog hands them over.
// The input is the template; its first four bytes are also read as a picture's
// index in the job, beside the indexes 0, 1 and the largest.
// A name is either a real file name (at most maxNameBytes in UTF-8, no folder
// part) or empty with the documented reason; never a crash or a huge string.

#include <QDir>

#include <algorithm>
#include <climits>
#include <cstring>

#include "fuzzutils.h"
#include "engine/naming/renameopter.h"

namespace {

QStringList sources;

void check(const RenameOpter &engine, const QString &source, int index)
{
    const Result<QString> named = engine.newName(source, index);
    if (!named) {
        if (named.error().isEmpty())
            Fuzz::fail("no name and no reason", engine.format());
        return;
    }
    const QString &name = named.value();
    if (name.isEmpty())
        Fuzz::fail("an empty name", engine.format());
    if (name.toUtf8().size() > RenameOpter::maxNameBytes)
        Fuzz::fail("a name longer than the limit", engine.format() + QLatin1String(" -> ") + name);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    // A plain picture, and one whose base name alone nearly fills a name.
    const QDir folder(Fuzz::folder().path());
    folder.mkpath(QStringLiteral("Holiday 2024"));
    const uint8_t picture[] = "not decoded here";
    sources << Fuzz::writeFile(QStringLiteral("Holiday 2024/IMG_0042.Jpeg"), picture, sizeof picture)
            << Fuzz::writeFile(QString(240, QLatin1Char('n')) + QLatin1String(".tif"), picture, sizeof picture);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int index = 0;
    std::memcpy(&index, data, std::min(size, sizeof index));
    const RenameOpter engine(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    for (const QString &source : sources) {
        for (int i : {0, 1, index, INT_MAX})
            check(engine, source, i);
    }
    // No file there: no name, and the reason says so.
    const Result<QString> missing = engine.newName(Fuzz::folder().filePath(QStringLiteral("missing.jpg")), 0);
    if (missing || !missing.error().contains(QLatin1String("missing.jpg")))
        Fuzz::fail("a name for a missing file", engine.format());
    return 0;
}
