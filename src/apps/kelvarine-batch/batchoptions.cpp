#include "apps/kelvarine-batch/batchoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <memory>
#include <utility>

#include "filterinterface.h"
#include "engine/filters/filterregistry.h"
#include "engine/picture/formatcatalog.h"
#include "apps/kelvarine-batch/outputflags.h"
#include "engine/project/projectreader.h"
#include "engine/naming/renameopter.h"
#include "engine/runtime/resourcedir.h"

void loadFilters()
{
    static bool loaded = false;
    if (!loaded)
        FilterRegistry::instance().loadPlugins(resourceDir(QStringLiteral("plugins")));
    loaded = true;
}

bool BatchOptions::parse(const QStringList &arguments, QString *error)
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
    parser.addOptions({output, format, filter, name, multipage, overwrite, jobsOption, megapixelsOption, listFiltersOption,
                       listFormatsOption, dryRunOption, quietOption});
    const OutputFlags outputFlags;
    outputFlags.addTo(parser);
    parser.addPositionalArgument("PROJECT.bps", tr("A saved project."), "[PROJECT.bps]");
    parser.addPositionalArgument("PICTURE|FOLDER", tr("Pictures, and folders whose pictures are added."), "[PICTURE|FOLDER ...]");

    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    if (parser.isSet("help"))
        parser.showHelp(0);
    if (parser.isSet("version"))
        parser.showVersion();

    listFilters = parser.isSet(listFiltersOption);
    listFormats = parser.isSet(listFormatsOption);
    if (listFilters || listFormats)
        return true;
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
            *error = tr("only one project file at a time");
            return false;
        }
    }
    nameTemplate = RenameOpter::defaultFormat();
    if (!project.isEmpty() && !readProject(project, error))
        return false;

    for (const QString &input : std::as_const(inputs)) {
        const QString path = QDir::cleanPath(QFileInfo(input).absoluteFilePath());
        addPictures(pictures, QFileInfo(path).isDir() ? folderPictures(path) : QStringList{path});
    }
    if (parser.isSet(output)) {
        job.outputFolder = QDir::cleanPath(QFileInfo(parser.value(output)).absoluteFilePath());
        job.useSourceFolder = false;
    }
    if (parser.isSet(format) && !setFormat(parser.value(format), error))
        return false;
    for (const QString &entry : parser.values(filter)) {
        if (!appendFilter(entry, error))
            return false;
    }
    if (parser.isSet(name))
        nameTemplate = parser.value(name);
    if (parser.isSet(multipage))
        job.multiPage = true;
    if (!outputFlags.apply(parser, job.output, error))
        return false;

    const QString policyName = parser.value(overwrite).toLower();
    if (policyName == "skip") {
        policy = OverwritePolicy::Skip;
    } else if (policyName == "overwrite") {
        policy = OverwritePolicy::Overwrite;
    } else if (policyName == "abort") {
        policy = OverwritePolicy::Abort;
    } else {
        *error = tr("--overwrite takes skip, overwrite or abort, not \"%1\"").arg(parser.value(overwrite));
        return false;
    }
    jobs = QThread::idealThreadCount();
    if (parser.isSet(jobsOption)) {
        bool ok = false;
        jobs = parser.value(jobsOption).toInt(&ok);
        if (!ok || jobs < 1 || jobs > 256) {
            *error = tr("--jobs takes a number from 1 to 256, not \"%1\"").arg(parser.value(jobsOption));
            return false;
        }
    }
    if (parser.isSet(megapixelsOption)) {
        bool ok = false;
        maxMegapixels = parser.value(megapixelsOption).toInt(&ok);
        if (!ok || maxMegapixels < 1 || maxMegapixels > 1000000) {
            *error = tr("--max-megapixels takes a number from 1 to 1000000, not \"%1\"").arg(parser.value(megapixelsOption));
            return false;
        }
    }

    if (pictures.isEmpty()) {
        *error = tr("no pictures to convert");
        return false;
    }
    if (!job.useSourceFolder && job.outputFolder.isEmpty()) {
        *error = tr("no output folder: give --output DIR");
        return false;
    }
    if (job.multiPage && !FormatCatalog::canHoldPages(job.writeFormat)) {
        *error = tr("the format %1 cannot hold several pages").arg(job.writeFormat);
        return false;
    }
    return true;
}

bool BatchOptions::readProject(const QString &path, QString *error)
{
    // "Not supported" would send the user looking for a fault in a file that is
    // not there, or not a file at all.
    if (QFileInfo(path).isDir()) {
        *error = tr("%1 is a folder, not a project file").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("%1: %2").arg(path, file.errorString());
        return false;
    }
    file.close();
    // Strictly: an unattended run must not quietly take a number it cannot read
    // as 0 (the format "Original", no multi-page document, ...).
    _ProjectFile project;
    QString reason;
    if (!ProjectReader::instance().read(path, project, ProjectReader::Numbers::Strict, &reason)) {
        *error = reason.isEmpty() ? tr("%1: The project file is not supported.").arg(path)
                                  : tr("%1: %2").arg(path, reason);
        return false;
    }
    project.resolvePaths(QFileInfo(path).absolutePath());
    addPictures(pictures, project.images);

    for (const FilterEntry &entry : std::as_const(project.filters)) {
        if (!appendFilter(entry.Name + '=' + entry.Params, error))
            return false;
    }
    if (!project.formateStr.isEmpty())
        nameTemplate = project.formateStr;
    // A switch that is neither off nor on would otherwise run as off, unattended.
    const std::pair<const char *, int> switches[] = {{"UseSourcePath", project.UseSourcePath},
                                                    {"Multipage", project.Multipage},
                                                    {"DeleteSource", project.DeleteSource},
                                                    {"OpenOutputFolder", project.OpenOutputFolder},
                                                    {"StripMetadata", project.StripMetadata},
                                                    {"StripGps", project.StripGps},
                                                    {"AutoOrient", project.AutoOrient},
                                                    {"KeepDate", project.KeepDate},
                                                    {"AllowDocuments", project.AllowDocuments}};
    for (const auto &[name, value] : switches) {
        if (value != 0 && value != 1) {
            *error = tr("%1: the property %2 has the value \"%3\", not 0 or 1").arg(path, QLatin1String(name)).arg(value);
            return false;
        }
    }
    job.useSourceFolder = project.UseSourcePath == 1;
    job.outputFolder = project.DestPath;
    job.multiPage = project.Multipage == 1;
    job.deleteSource = project.DeleteSource == 1;
    job.openOutputFolder = false;  // there is no desktop to show it on
    job.output = project.outputOptions();

    const QStringList entries = FormatCatalog::instance().comboEntries();
    if (project.FormatIndex < 0 || project.FormatIndex >= entries.size()) {
        *error = tr("%1: no output format at row %2").arg(path).arg(project.FormatIndex);
        return false;
    }
    job.formatRow = project.FormatIndex;
    job.writeFormat = FormatCatalog::formatName(entries.at(project.FormatIndex));
    return true;
}

bool BatchOptions::setFormat(const QString &name, QString *error)
{
    const QStringList entries = FormatCatalog::instance().comboEntries();
    for (int row = 0; row < entries.size(); ++row) {
        const QString known = FormatCatalog::formatName(entries.at(row));
        if (known.compare(name, Qt::CaseInsensitive) == 0) {
            job.writeFormat = known;
            job.formatRow = row;
            return true;
        }
    }
    *error = tr("unknown format \"%1\" (see --list-formats)").arg(name);
    return false;
}

bool BatchOptions::appendFilter(const QString &nameAndParams, QString *error)
{
    const int equals = nameAndParams.indexOf('=');
    const QString name = equals < 0 ? nameAndParams : nameAndParams.left(equals);
    loadFilters();
    FilterRegistry &registry = FilterRegistry::instance();
    FilterInterface *filter = registry.filterAt(registry.indexOfFilter(name));
    if (name.isEmpty() || !filter) {
        *error = tr("the filter \"%1\" is not installed (see --list-filters)").arg(name);
        return false;
    }
    const QString params = equals < 0 ? filter->defaultParams() : nameAndParams.mid(equals + 1);
    if (!FilterRegistry::acceptsParams(filter, params)) {
        *error = tr("the filter \"%1\" cannot read the parameters \"%2\" (see --list-filters)").arg(name, params);
        return false;
    }
    job.chain.append(ChainEntry{filter, params});
    return true;
}
