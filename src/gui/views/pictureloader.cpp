#include "gui/views/pictureloader.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <Magick++.h>

#include <optional>

#include "gui/views/imagepixmap.h"
#include "engine/picture/picturecodec.h"
#include "engine/picture/picturekind.h"

PictureLoader::PictureLoader(QObject *parent)
    : QObject(parent)
{
}

PictureLoader::~PictureLoader() = default;

const QStringList &PictureLoader::qtReadableSuffixes()
{
    static const QStringList suffixes = [] {
        QStringList list;
        for (const QByteArray &format : QImageReader::supportedImageFormats())
            list.append(QString::fromLatin1(format).toLower());
        return list;
    }();
    return suffixes;
}

QString PictureLoader::requestPath() const
{
    return m_requestPath;
}

bool PictureLoader::looksCutShort(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.peek(2).startsWith("\xFF\xD8"))
        return false;
    // A whole picture's last scan is followed by the end marker. Scanning back
    // from the end, the marker that comes first decides: the end marker says the
    // picture is whole (data appended after it does not matter), a scan's start
    // says it was cut within its scan. The end marker of the EXIF thumbnail lies
    // before the picture's own scans, so it cannot pass for the picture's end.
    // Scan data never holds either marker: a 0xFF byte there is followed by 0x00.
    constexpr qint64 chunk = 64 * 1024;
    qint64 end = file.size();
    while (end > 2) {
        const qint64 begin = qMax<qint64>(0, end - chunk);
        // One byte more, so that a marker across two chunks is seen.
        if (!file.seek(begin))
            return true;
        const QByteArray bytes = file.read(qMin(end + 1, file.size()) - begin);
        const qsizetype ended = bytes.lastIndexOf("\xFF\xD9");
        const qsizetype scan = bytes.lastIndexOf("\xFF\xDA");
        if (ended >= 0 || scan >= 0)
            return scan > ended;
        end = begin;
    }
    return true;
}

QImage PictureLoader::decode(const QString &path, const std::function<bool()> &current, bool allowDocuments)
{
    return decodePicture(path, current, allowDocuments).valueOr(QImage());
}

Result<QImage> PictureLoader::decodePicture(const QString &path, const std::function<bool()> &current,
                                            bool allowDocuments, const QSize &fitInto)
{
    const QFileInfo info(path);
    if (info.isFile() && info.size() == 0)
        return Failure{tr("The file is empty")};
    // The toolkit's readers are quicker for a preview, and taken only for what the
    // program decodes in process anyway (JPEG, PNG, TIFF by their content); every
    // other picture goes to the decoding helper.
    const Result<QString> format = PictureKind::admitFile(path, false);
    if (qtReadableSuffixes().contains(info.suffix().toLower()) && format
        && PictureCodec::decodesInProcess(path, format.value()) && !looksCutShort(path)) {
        QImageReader reader(path, format.value().toLower().toLatin1());
        reader.setAutoDetectImageFormat(false);
        const QSize full = reader.size();
        if (fitInto.isValid() && full.isValid() && (full.width() > fitInto.width() || full.height() > fitInto.height()))
            reader.setScaledSize(full.scaled(fitInto, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
        QImage image = reader.read();
        if (!image.isNull())
            return image;
        // A file whose suffix promises more than its content: let the library try.
    }
    try {
        if (!current())
            return QImage();
        // The same decoding as a batch: only the picture is read, never a file it names.
        Result<Magick::Image> image = PictureCodec::decode(path, allowDocuments);
        if (!current())
            return QImage();
        if (!image)
            return Failure{image.error()};
        if (!image.value().isValid())
            return Failure{tr("The picture holds no pixels")};
        Magick::Image &picture = image.value();
        if (fitInto.isValid() && (int(picture.columns()) > fitInto.width() || int(picture.rows()) > fitInto.height())) {
            const QSize reduced = QSize(int(picture.columns()), int(picture.rows())).scaled(fitInto, Qt::KeepAspectRatio);
            picture.sample(Magick::Geometry(unsigned(qMax(1, reduced.width())), unsigned(qMax(1, reduced.height()))));
        }
        const QImage shown = imageToImage(picture);
        if (shown.isNull())
            return Failure{tr("The picture is too large to show")};
        return shown;
    } catch (const Magick::Exception &error) {
        return Failure{QString::fromLocal8Bit(error.what())};
    } catch (const std::exception &error) {
        return Failure{QString::fromLocal8Bit(error.what())};
    }
}

void PictureLoader::request(const QString &path, ImageView *view, bool allowDocuments)
{
    m_requestPath = path;
    m_worker.cancel();
    m_worker.start(
        this,
        [path, allowDocuments](const CancelToken &token) -> std::optional<Result<QImage>> {
            if (!QFileInfo(path).exists())
                return std::nullopt;
            Result<QImage> image = decodePicture(path, [&token] { return !token.isCancelled(); }, allowDocuments);
            if (token.isCancelled())
                return std::nullopt;
            return image;
        },
        [this, view, path](const std::optional<Result<QImage>> &image) {
            if (!image)
                return;
            // An empty file keeps the loading indicator in the view, as it always
            // has (it may still be being written); the list says why it shows nothing.
            if (image->ok() || QFileInfo(path).size() > 0)
                emit loaded(image->ok() ? QPixmap::fromImage(image->value()) : QPixmap(), view);
            if (!image->ok())
                emit unreadable(path, image->error());
        });
}
