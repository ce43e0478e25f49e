#include "engine/project/projectjob.h"

#include <QFileInfo>

#include <utility>

#include "engine/filters/filterregistry.h"
#include "engine/naming/renameopter.h"
#include "engine/picture/formatcatalog.h"
#include "engine/project/projectreader.h"

namespace {

struct Switch
{
    const char *key;
    int _ProjectFile::*value;
};

// Every on/off property; a value other than 0 and 1 would run as off.
constexpr Switch switches[] = {{"UseSourcePath", &_ProjectFile::UseSourcePath},
                               {"Multipage", &_ProjectFile::Multipage},
                               {"DeleteSource", &_ProjectFile::DeleteSource},
                               {"OpenOutputFolder", &_ProjectFile::OpenOutputFolder},
                               {"StripMetadata", &_ProjectFile::StripMetadata},
                               {"StripGps", &_ProjectFile::StripGps},
                               {"AutoOrient", &_ProjectFile::AutoOrient},
                               {"KeepDate", &_ProjectFile::KeepDate},
                               {"AllowDocuments", &_ProjectFile::AllowDocuments}};

FilterInterface *installedFilter(const QString &name)
{
    const FilterRegistry &registry = FilterRegistry::instance();
    return registry.filterAt(registry.indexOfFilter(name));
}

} // namespace

Result<ProjectJob> ProjectJob::fromProject(const _ProjectFile &project, Reading reading)
{
    const QStringList formats = FormatCatalog::instance().comboEntries();
    const bool knownFormat = project.FormatIndex >= 0 && project.FormatIndex < formats.size();
    if (reading == Reading::Strict) {
        for (const Switch &property : switches) {
            const int value = project.*property.value;
            if (value != 0 && value != 1)
                return Failure{tr("the property %1 has the value \"%2\", not 0 or 1")
                                   .arg(QLatin1String(property.key))
                                   .arg(value)};
        }
        if (!knownFormat)
            return Failure{tr("no output format at row %1").arg(project.FormatIndex)};
    }

    ProjectJob job;
    job.pictures = project.images;
    job.filters = project.filters;
    // An empty template would give every output the same empty name.
    job.nameTemplate = project.formateStr.isEmpty() ? RenameOpter::defaultFormat() : project.formateStr;
    job.customTemplate = project.customFormateStr;
    job.presetRow = project.index;
    job.formatRow = project.FormatIndex;
    job.openOutputFolder = project.OpenOutputFolder == 1;
    ConversionJob &options = job.options;
    if (knownFormat)
        options.writeFormat = FormatCatalog::formatName(formats.at(project.FormatIndex));
    options.useSourceFolder = project.UseSourcePath == 1;
    options.outputFolder = project.DestPath;
    options.multiPage = project.Multipage == 1;
    options.deleteSource = project.DeleteSource == 1;
    options.output = project.outputOptions();
    return job;
}

Result<ProjectJob> ProjectJob::load(const QString &path, Reading reading)
{
    Result<_ProjectFile> project = ProjectReader().read(
        path, reading == Reading::Strict ? ProjectReader::Numbers::Strict : ProjectReader::Numbers::Lenient);
    if (!project)
        return Failure{project.error()};
    // Paths in a project that travels with its pictures are relative to its folder.
    project.value().resolvePaths(QFileInfo(path).absolutePath());
    return fromProject(project.value(), reading);
}

_ProjectFile ProjectJob::toProject() const
{
    _ProjectFile project;
    project.images = pictures;
    const FilterRegistry &registry = FilterRegistry::instance();
    for (FilterEntry entry : filters) {
        // A row whose filter is not installed keeps its own name, so the chain survives.
        const int index = registry.indexOfFilter(entry.Name);
        if (index >= 0)
            entry.Name = FilterEntry::nameOf(registry.categoryPaths().at(index));
        project.filters.append(entry);
    }
    project.formateStr = nameTemplate;
    project.customFormateStr = customTemplate;
    project.index = presetRow;
    project.UseSourcePath = options.useSourceFolder ? 1 : 0;
    project.DestPath = options.outputFolder;
    project.FormatIndex = formatRow;
    project.Multipage = options.multiPage ? 1 : 0;
    project.OpenOutputFolder = openOutputFolder ? 1 : 0;
    project.DeleteSource = options.deleteSource ? 1 : 0;
    project.setOutputOptions(options.output);
    return project;
}

ConversionJob ProjectJob::conversionJob() const
{
    ConversionJob job = options;
    job.chain.clear();
    for (const FilterEntry &entry : filters) {
        if (FilterInterface *filter = installedFilter(entry.Name))
            job.chain.append(ChainEntry{filter, entry.Params});
    }
    job.naming = RenameOpter(nameTemplate);
    return job;
}
