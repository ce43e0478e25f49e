#include "apps/kelvarine-batch/batchoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <memory>
#include <utility>

#include "filterinterface.h"
#include "engine/filters/filterregistry.h"
#include "engine/picture/formatcatalog.h"
#include "apps/kelvarine-batch/outputflags.h"
#include "engine/project/projectjob.h"
#include "engine/naming/renameopter.h"
#include "engine/runtime/resourcedir.h"

void loadFilters()
{
    static bool loaded = false;
    if (!loaded)
        FilterRegistry::instance().loadPlugins(resourceDir(QStringLiteral("plugins")));
    loaded = true;
}

Status BatchOptions::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Converts pictures through a filter chain without a display."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption output({"o", "output"}, tr("Output folder (overrides the project's)."), "DIR");
    const QCommandLineOption format({"f", "format"}, tr("Output format name as in the format list, e.g. JPG, PNG, Original."), "NAME");
    const QCommandLineOption filter("filter", tr("Append a filter, e.g. \"Resize=Type:1,Width:50,Height:50,Radio:0,RadioBy:0\"."), "NAME=PARAMS");
    const QCommandLineOption name("name", tr("Naming template, e.g. \"[FileName]_[Counter_1_1_3]\"."), "TEMPLATE");
    const QCommandLineOption multipage("multipage", tr("One multi-page document from all pictures."));
    const QCommandLineOption overwrite("overwrite", tr("skip (default), overwrite, or abort when a target exists."), "POLICY", "skip");
    const QCommandLineOption jobsOption({"j", "jobs"}, tr("Pictures converted at once (default: number of cores)."), "N");
    const QCommandLineOption megapixelsOption("max-megapixels", tr("Largest picture converted, in megapixels (default: from the memory and --jobs)."), "N");
    const QCommandLineOption listFiltersOption("list-filters", tr("Print every loaded filter: display name, category path, default parameters."));
    const QCommandLineOption listFormatsOption("list-formats", tr("Print the output format list."));
    const QCommandLineOption dryRunOption("dry-run", tr("Print source -> target for every picture, write nothing."));
    const QCommandLineOption quietOption({"q", "quiet"}, tr("No progress bar."));
    const QCommandLineOption planOption("plan", tr("Without --shard: decide every picture now and write the plan to FILE, converting nothing. With --shard: convert the share as FILE decided it."), "FILE");
    const QCommandLineOption shardOption("shard", tr("Convert only share K of N (pictures K, K+N, K+2N, ... of the list), named as one run names them; needs --plan FILE."), "K/N");
    parser.addOptions({output, format, filter, name, multipage, overwrite, jobsOption, megapixelsOption, listFiltersOption,
                       listFormatsOption, dryRunOption, quietOption, planOption, shardOption});
    const OutputFlags outputFlags;
    outputFlags.addTo(parser);
    parser.addPositionalArgument("PROJECT.bps", tr("A saved project."), "[PROJECT.bps]");
    parser.addPositionalArgument("PICTURE|FOLDER", tr("Pictures, and folders whose pictures are added."), "[PICTURE|FOLDER ...]");

    if (!parser.parse(arguments))
        return Failure{parser.errorText()};
    if (parser.isSet("help"))
        parser.showHelp(0);
    if (parser.isSet("version"))
        parser.showVersion();

    listFilters = parser.isSet(listFiltersOption);
    listFormats = parser.isSet(listFormatsOption);
    if (listFilters || listFormats)
        return {};
    dryRun = parser.isSet(dryRunOption);
    quiet = parser.isSet(quietOption);

    QStringList inputs;
    QString project;
    for (const QString &argument : parser.positionalArguments()) {
        if (QFileInfo(argument).suffix().compare("bps", Qt::CaseInsensitive) != 0) {
            inputs.append(argument);
        } else if (project.isEmpty()) {
            project = argument;
        } else {
            return Failure{tr("only one project file at a time")};
        }
    }
    nameTemplate = RenameOpter::defaultFormat();
    if (!project.isEmpty()) {
        if (Status read = readProject(project); !read)
            return read;
    }

    for (const QString &input : std::as_const(inputs)) {
        const QString path = QDir::cleanPath(QFileInfo(input).absoluteFilePath());
        addPictures(pictures, QFileInfo(path).isDir() ? folderPictures(path) : QStringList{path});
    }
    if (parser.isSet(output)) {
        job.outputFolder = QDir::cleanPath(QFileInfo(parser.value(output)).absoluteFilePath());
        job.useSourceFolder = false;
    }
    if (parser.isSet(format)) {
        if (Status known = setFormat(parser.value(format)); !known)
            return known;
    }
    for (const QString &entry : parser.values(filter)) {
        if (Status appended = appendFilter(entry); !appended)
            return appended;
    }
    if (parser.isSet(name))
        nameTemplate = parser.value(name);
    if (parser.isSet(multipage))
        job.multiPage = true;
    if (Status applied = outputFlags.apply(parser, job.output); !applied)
        return applied;

    policyName = parser.value(overwrite).toLower();
    if (policyName == "skip") {
        policy = OverwritePolicy::Skip;
    } else if (policyName == "overwrite") {
        policy = OverwritePolicy::Overwrite;
    } else if (policyName == "abort") {
        policy = OverwritePolicy::Abort;
    } else {
        return Failure{tr("--overwrite takes skip, overwrite or abort, not \"%1\"").arg(parser.value(overwrite))};
    }
    jobs = QThread::idealThreadCount();
    if (parser.isSet(jobsOption)) {
        bool ok = false;
        jobs = parser.value(jobsOption).toInt(&ok);
        if (!ok || jobs < 1 || jobs > 256)
            return Failure{tr("--jobs takes a number from 1 to 256, not \"%1\"").arg(parser.value(jobsOption))};
    }
    if (parser.isSet(megapixelsOption)) {
        bool ok = false;
        maxMegapixels = parser.value(megapixelsOption).toInt(&ok);
        if (!ok || maxMegapixels < 1 || maxMegapixels > 1000000)
            return Failure{tr("--max-megapixels takes a number from 1 to 1000000, not \"%1\"").arg(parser.value(megapixelsOption))};
    }

    if (parser.isSet(shardOption)) {
        static const QRegularExpression shape(QStringLiteral("^([0-9]{1,6})/([0-9]{1,6})$"));
        const QRegularExpressionMatch match = shape.match(parser.value(shardOption));
        shard = match.captured(1).toInt();
        shards = match.captured(2).toInt();
        if (!match.hasMatch() || shard < 1 || shard > shards)
            return Failure{tr("--shard takes K/N, share K of N with 1 <= K <= N (e.g. 2/3), not \"%1\"")
                               .arg(parser.value(shardOption))};
    }
    planFile = parser.value(planOption);
    if (parser.isSet(planOption) && planFile.isEmpty())
        return Failure{tr("--plan needs a file name")};
    if (shards > 0 && planFile.isEmpty() && !dryRun)
        return Failure{tr("--shard needs --plan FILE: shares started at different times would each find other "
                          "files in the output folder; write the plan once with --plan FILE (without --shard) "
                          "and give it to every share")};
    if (shards == 0 && !planFile.isEmpty() && dryRun)
        return Failure{tr("--dry-run writes nothing, --plan without --shard writes the plan: give one of them")};

    if (pictures.isEmpty())
        return Failure{tr("no pictures to convert")};
    if (!job.useSourceFolder && job.outputFolder.isEmpty())
        return Failure{tr("no output folder: give --output DIR")};
    if (job.multiPage && !FormatCatalog::canHoldPages(job.writeFormat))
        return Failure{tr("the format %1 cannot hold several pages").arg(job.writeFormat)};
    if (job.multiPage && (shards > 0 || !planFile.isEmpty()))
        return Failure{tr("a multi-page document is written by one run: it cannot be planned or shared out "
                          "(--plan, --shard)")};
    return {};
}

Status BatchOptions::readProject(const QString &path)
{
    // "Not supported" would send the user looking for a fault in a file that is
    // not there, or not a file at all.
    if (QFileInfo(path).isDir())
        return Failure{tr("%1 is a folder, not a project file").arg(path)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{tr("%1: %2").arg(path, file.errorString())};
    file.close();
    // Strictly: an unattended run must not quietly take a number it cannot read
    // as 0 (the format "Original", no multi-page document, ...).
    const Result<ProjectJob> project = ProjectJob::load(path, ProjectJob::Reading::Strict);
    if (!project)
        return Failure{tr("%1: %2").arg(path, project.error())};
    addPictures(pictures, project.value().pictures);
    job = project.value().options;
    nameTemplate = project.value().nameTemplate;
    // Every filter must be there and able to read its parameters: unattended, a
    // chain that silently lost a step would write the wrong pictures.
    for (const FilterEntry &entry : project.value().filters) {
        if (Status appended = appendFilter(entry.Name + '=' + entry.Params); !appended)
            return appended;
    }
    return {};
}

Status BatchOptions::setFormat(const QString &name)
{
    const QStringList entries = FormatCatalog::instance().comboEntries();
    for (int row = 0; row < entries.size(); ++row) {
        const QString known = FormatCatalog::formatName(entries.at(row));
        if (known.compare(name, Qt::CaseInsensitive) == 0) {
            job.writeFormat = known;
            return {};
        }
    }
    return Failure{tr("unknown format \"%1\" (see --list-formats)").arg(name)};
}

Status BatchOptions::appendFilter(const QString &nameAndParams)
{
    const int equals = nameAndParams.indexOf('=');
    const QString name = equals < 0 ? nameAndParams : nameAndParams.left(equals);
    loadFilters();
    FilterRegistry &registry = FilterRegistry::instance();
    FilterInterface *filter = registry.filterAt(registry.indexOfFilter(name));
    if (name.isEmpty() || !filter)
        return Failure{tr("the filter \"%1\" is not installed (see --list-filters)").arg(name)};
    const QString params = equals < 0 ? filter->defaultParams() : nameAndParams.mid(equals + 1);
    if (!FilterRegistry::acceptsParams(filter, params))
        return Failure{tr("the filter \"%1\" cannot read the parameters \"%2\" (see --list-filters)").arg(name, params)};
    job.chain.append(ChainEntry{filter, params});
    return {};
}
