#include "engine/picture/picturetarget.h"

#include "engine/picture/formatcatalog.h"
#include "engine/batch/outputoptions.h"
#include "engine/metadata/picturemetadata.h"
#include "engine/naming/renameopter.h"

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

// Formats with no place for metadata beyond a colour profile.
bool carriesMetadata(const QString &format)
{
    static const QStringList bare = {"bmp", "dib", "ppm", "pgm", "pbm", "pnm", "pam", "tga", "pcx", "xbm", "xpm", "sgi", "ras"};
    return !bare.contains(format);
}

bool decodedUpright(const QString &format)
{
    static const QStringList upright = {"heic", "heif", "avif", "jxl"};
    return upright.contains(format) || FormatCatalog::isCameraRaw(format);
}

} // namespace

namespace PictureTarget {

QString newFileName(const RenameOpter &naming, const QString &sourcePath, int index, QString *error)
{
    return fileNamePart(naming.newName(sourcePath, index, error));
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

QString firstFree(const QString &target, const std::function<bool(const QString &)> &taken)
{
    // The number goes before the last dot, so the suffix still tells the format.
    const QString name = fileNamePart(target);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = target.left(target.size() - name.size() + (dot < 0 ? name.size() : dot));
    const QString tail = dot < 0 ? QString() : name.mid(dot);
    for (int number = 2;; ++number) {
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
    if (cleansCopy(options, sourcePath) && !PictureMetadata::rewritesCopies(format))
        return false;
    // Formats whose decoders turn the pixels themselves keep their own way of
    // telling the turn, which a copy keeps too.
    if (options.autoOrient && !decodedUpright(format)) {
        const int orientation = PictureMetadata::read(sourcePath, Magick::Image()).orientation();
        if (orientation > 1 && orientation <= 8)
            return false;
    }
    return true;
}

bool cleansCopy(const OutputOptions &options, const QString &sourcePath)
{
    return (options.stripMetadata || options.stripGps) && carriesMetadata(suffix(sourcePath).toLower());
}

} // namespace PictureTarget
