#include "picturepipeline.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "picturecodec.h"
#include "safefile.h"

namespace PicturePipeline {

QString errorText(const QString &reason)
{
    return QCoreApplication::translate("Converter", "Error: %1").arg(reason);
}

PictureResult missingSource(const QString &sourcePath)
{
    PictureResult result;
    result.status = StatusFailed;
    result.message = errorText(QCoreApplication::translate("Converter", "%1 does not exist")
                                   .arg(QDir::toNativeSeparators(sourcePath)));
    return result;
}

Magick::Image render(const QString &sourcePath, const QList<ChainEntry> &chain)
{
    Magick::Image image = PictureCodec::decode(sourcePath);
    PictureCodec::applyChain(chain, image);
    return image;
}

PictureResult copyPicture(const QString &sourcePath, const QString &target, bool deleteSource)
{
    PictureResult result;
    result.target = target;
    if (!QFileInfo::exists(sourcePath))
        return missingSource(sourcePath);
    QString reason;
    const bool done = SafeFile::samePath(sourcePath, target)
                      || (deleteSource ? SafeFile::move(sourcePath, target, &reason)
                                       : SafeFile::copy(sourcePath, target, &reason));
    if (done) {
        result.status = StatusConverted;
    } else {
        result.status = StatusFailed;
        result.message = errorText(reason);
    }
    return result;
}

PictureResult placeOutput(const Magick::Blob &bytes, const QString &target, const QString &sourcePath,
                          bool deleteSource)
{
    PictureResult result;
    result.target = target;
    QString reason;
    if (!SafeFile::write(target, static_cast<const char *>(bytes.data()), qint64(bytes.length()), &reason)) {
        result.status = StatusFailed;
        result.message = errorText(reason);
        return result;
    }
    result.status = StatusConverted;
    if (deleteSource)
        SafeFile::removeSource(sourcePath, target);
    return result;
}

PictureResult placeDocument(QList<Magick::Image> &pages, const QString &extension, const QString &documentPath,
                            const QStringList &pageSources, bool deleteSource)
{
    PictureResult result;
    Magick::Blob bytes;
    if (guarded(result, [&] { bytes = PictureCodec::encodeDocument(pages, extension); }))
        result = placeOutput(bytes, documentPath, QString(), false);
    result.target = documentPath;
    pages.clear();
    if (result.status == StatusConverted && deleteSource) {
        for (const QString &source : pageSources)
            SafeFile::removeSource(source, documentPath);
    }
    return result;
}

} // namespace PicturePipeline
