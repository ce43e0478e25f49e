// Project files from anywhere: the bytes as a .bps file, read leniently (the
// wizard) and strictly (an unattended run). A project that reads is written and
// read again; it must come back the same, or the next save would change the job.

#include <QDebug>

#include "fuzzutils.h"
#include "engine/project/projectreader.h"
#include "engine/project/projectwriter.h"

namespace {

QString describe(const _ProjectFile &p)
{
    QString text;
    QDebug(&text) << p.images << p.formateStr << p.customFormateStr << p.DestPath << p.index << p.UseSourcePath
                  << p.FormatIndex << p.Multipage << p.OpenOutputFolder << p.DeleteSource << p.Quality
                  << p.StripMetadata << p.StripGps << p.AutoOrient << p.KeepDate;
    for (const FilterEntry &filter : p.filters)
        QDebug(&text) << filter.Name << filter.Params;
    return text;
}

void roundTrip(const _ProjectFile &project)
{
    const QString copy = Fuzz::folder().filePath(QStringLiteral("copy.bps"));
    // The writer refuses what XML cannot carry (control characters); that is its
    // documented answer, not a fault.
    if (!ProjectWriter::instance().write(copy, project))
        return;
    _ProjectFile again;
    QString error;
    if (!ProjectReader::instance().read(copy, again, ProjectReader::Numbers::Strict, &error))
        Fuzz::fail("a written project does not read back", error + QLatin1Char('\n') + describe(project));
    if (!(again == project))
        Fuzz::fail("a written project reads back changed", describe(project) + QLatin1String("\nbecame\n") + describe(again));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Larger files are refused unread; the fuzzer's own length limit stays far below.
    const QString path = Fuzz::writeFile(QStringLiteral("project.bps"), data, size);

    _ProjectFile lenient;
    const bool lenientRead = ProjectReader::instance().read(path, lenient, ProjectReader::Numbers::Lenient, nullptr);

    _ProjectFile strict;
    QString error;
    const bool strictRead = ProjectReader::instance().read(path, strict, ProjectReader::Numbers::Strict, &error);

    // Strict refuses more, never less, and reads the same where it reads at all.
    if (strictRead && !lenientRead)
        Fuzz::fail("the strict reading takes a file the lenient one refuses");
    if (strictRead && !(strict == lenient))
        Fuzz::fail("strict and lenient readings differ", describe(strict) + QLatin1String("\n") + describe(lenient));
    if (!strictRead && lenientRead && error.isEmpty())
        Fuzz::fail("the strict reading refuses a well-formed project without a reason");

    if (lenientRead)
        roundTrip(lenient);
    return 0;
}
