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
    if (!ProjectWriter().write(copy, project))
        return;
    const Result<_ProjectFile> again = ProjectReader().read(copy, ProjectReader::Numbers::Strict);
    if (!again)
        Fuzz::fail("a written project does not read back", again.error() + QLatin1Char('\n') + describe(project));
    if (!(again.value() == project))
        Fuzz::fail("a written project reads back changed", describe(project) + QLatin1String("\nbecame\n") + describe(again.value()));
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

    const ProjectReader reader;
    const Result<_ProjectFile> lenientResult = reader.read(path, ProjectReader::Numbers::Lenient);
    const bool lenientRead = lenientResult.ok();
    const _ProjectFile lenient = lenientResult.valueOr(_ProjectFile());

    const Result<_ProjectFile> strictResult = reader.read(path, ProjectReader::Numbers::Strict);
    const bool strictRead = strictResult.ok();
    const _ProjectFile strict = strictResult.valueOr(_ProjectFile());
    // Where only the strict reading refuses, it must say which number.
    const QString error = strictResult.error() == lenientResult.error() ? QString() : strictResult.error();

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
