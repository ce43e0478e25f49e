#include "engine/picture/picturetarget.h"

#include "engine/picture/formatcatalog.h"
#include "engine/batch/outputoptions.h"
#include "engine/metadata/picturemetadata.h"
#include "engine/naming/renameopter.h"

#include <algorithm>

namespace {

QString fileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString folderPart(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

} // namespace

namespace PictureTarget {

Result<QString> newFileName(const RenameOpter &naming, const QString &sourcePath, int index)
{
    const Result<QString> name = naming.newName(sourcePath, index);
    if (!name)
        return name;
    return fileNamePart(name.value());
}

QString baseName(const QString &fileName)
{
    const QString name = fileNamePart(fileName);
    return name.left(name.indexOf(QLatin1Char('.')));
}

QString suffix(const QString &fileName)
{
    const QString name = fileNamePart(fileName);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString copyTarget(const QString &outputDir, const QString &newFileName)
{
    return outputDir + QLatin1Char('/') + newFileName;
}

QString extension(const QString &outputFormat, const QString &newFileName)
{
    return FormatCatalog::instance().outputExtension(outputFormat, suffix(newFileName));
}

QString encodedTarget(const QString &outputDir, const QString &newFileName, const QString &extension)
{
    return outputDir + QLatin1Char('/') + baseName(newFileName) + QLatin1Char('.') + extension;
}

QString withBaseName(const QString &target, const QString &base)
{
    return folderPart(target) + QLatin1Char('/') + base + QLatin1Char('.') + suffix(target);
}

QString firstFree(const QString &target, int &number, const std::function<bool(const QString &)> &taken)
{
    // The number goes before the last dot, so the suffix still tells the format.
    const QString name = fileNamePart(target);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = target.left(target.size() - name.size() + (dot < 0 ? name.size() : dot));
    const QString tail = dot < 0 ? QString() : name.mid(dot);
    for (number = std::max(number, 2);; ++number) {
        const QString candidate = stem + QStringLiteral(" (%1)").arg(number) + tail;
        if (!taken(candidate))
            return candidate;
    }
}

bool copyOnly(bool chainEmpty, const QString &outputFormat, const QString &sourcePath,
              const OutputOptions &options)
{
    if (!chainEmpty || !FormatCatalog::keepsSourceFormat(outputFormat, sourcePath))
        return false;
    const QString format = suffix(sourcePath).toLower();
    if (OutputOptions::validQuality(options.quality) && FormatCatalog::takesQuality(format))
        return false;
    if (cleansCopy(options, sourcePath) && FormatCatalog::metadataCarrier(format) == FormatCatalog::MetadataCarrier::Encoder)
        return false;
    // Formats whose decoders turn the pixels themselves keep their own way of
    // telling the turn, which a copy keeps too.
    if (options.autoOrient && !FormatCatalog::decodesUpright(format)) {
        const int orientation = PictureMetadata::read(sourcePath, Magick::Image()).orientation();
        if (orientation > 1 && orientation <= 8)
            return false;
    }
    return true;
}

bool cleansCopy(const OutputOptions &options, const QString &sourcePath)
{
    return (options.stripMetadata || options.stripGps) && FormatCatalog::carriesMetadata(suffix(sourcePath));
}

} // namespace PictureTarget
