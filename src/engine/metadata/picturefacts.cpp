#include "engine/metadata/picturefacts.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

#include "engine/metadata/picturemetadata_p.h"
#include "engine/metadata/xmppacket.h"

namespace {

using MetadataDetail::lockExiv2;
using MetadataDetail::startExiv2;

const Exiv2::Exifdatum *find(const Exiv2::ExifData &exif, const char *key)
{
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    if (found == exif.end() || found->count() == 0)
        return nullptr;
    return &*found;
}

QString text(const Exiv2::ExifData &exif, const char *key)
{
    const Exiv2::Exifdatum *datum = find(exif, key);
    if (!datum)
        return {};
    // EXIF strings are ASCII by the standard, and often padded with blanks or NULs.
    QString value = QString::fromUtf8(datum->toString().c_str());
    value.remove(QChar(0));
    return value.simplified();
}

// A positive rational, or nothing: a zero denominator or a negative value is no setting.
bool rational(const Exiv2::ExifData &exif, const char *key, long *numerator, long *denominator)
{
    const Exiv2::Exifdatum *datum = find(exif, key);
    if (!datum)
        return false;
    const Exiv2::Rational value = datum->toRational(0);
    if (value.first <= 0 || value.second <= 0)
        return false;
    *numerator = value.first;
    *denominator = value.second;
    return true;
}

// One decimal at most, none when it is a whole number: "2.8", "8", "4.3".
QString shortNumber(double value)
{
    return QString::number(std::round(value * 10.0) / 10.0, 'f', std::fmod(std::round(value * 10.0), 10.0) == 0 ? 0 : 1);
}

QString exposureText(long numerator, long denominator)
{
    const double seconds = double(numerator) / double(denominator);
    if (seconds >= 1.0 || std::round(double(denominator) / double(numerator)) < 2.0)
        return shortNumber(seconds) + QLatin1Char('s');
    return QStringLiteral("1-%1s").arg(qint64(std::llround(double(denominator) / double(numerator))));
}

QDateTime exifDate(const QString &value)
{
    // "YYYY:MM:DD HH:MM:SS", local time; cameras without a clock write zeros.
    return QDateTime::fromString(value.left(19), QStringLiteral("yyyy:MM:dd HH:mm:ss"));
}

void readExif(PictureFacts &facts, const Exiv2::ExifData &exif)
{
    facts.cameraModel = text(exif, "Exif.Image.Model");
    facts.lens = text(exif, "Exif.Photo.LensModel");
    facts.taken = exifDate(text(exif, "Exif.Photo.DateTimeOriginal"));

    if (const Exiv2::Exifdatum *iso = find(exif, "Exif.Photo.ISOSpeedRatings")) {
        const long value = iso->toLong(0);
        if (value > 0)
            facts.iso = QString::number(value);
    }
    long numerator = 0;
    long denominator = 0;
    if (rational(exif, "Exif.Photo.FNumber", &numerator, &denominator))
        facts.aperture = QLatin1Char('f') + shortNumber(double(numerator) / double(denominator));
    if (rational(exif, "Exif.Photo.ExposureTime", &numerator, &denominator))
        facts.exposureTime = exposureText(numerator, denominator);
    if (rational(exif, "Exif.Photo.FocalLength", &numerator, &denominator))
        facts.focalLength = shortNumber(double(numerator) / double(denominator)) + QStringLiteral("mm");
}

// Exiv2 parses every XMP packet it meets, and a packet of enough properties takes
// minutes: such a packet is blanked out first, as when metadata is carried. A
// JPEG keeps its packet in one segment of at most 64 KiB, far within the bounds,
// so only its header is read.
Exiv2::Image::AutoPtr open(const QString &path, QByteArray &hidden)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Exiv2::Error(Exiv2::kerDataSourceOpenFailed, path.toStdString());
    const QByteArray start = file.peek(3);
    if (start.size() == 3 && uchar(start[0]) == 0xFF && uchar(start[1]) == 0xD8 && uchar(start[2]) == 0xFF)
        return Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    const uchar *mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr;
    std::string ignored;
    if (mapped && XmpPacket::hideOversized(hidden, QByteArrayView(mapped, file.size()), &ignored))
        return Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(hidden.constData()), long(hidden.size()));
    return Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
}

} // namespace

PictureFacts PictureFacts::read(const QString &path, bool withThumbnail)
{
    PictureFacts facts;
    const QFileInfo info(path);
    if (!info.isFile())
        return facts;
    facts.fileSize = info.size();
    if (facts.fileSize == 0)
        return facts;

    const auto exiv2 = lockExiv2();
    startExiv2();
    try {
        QByteArray hidden;
        Exiv2::Image::AutoPtr image = open(path, hidden);
        image->readMetadata();
        const int width = image->pixelWidth();
        const int height = image->pixelHeight();
        if (width > 0 && height > 0)
            facts.pixelSize = QSize(width, height);
        const Exiv2::ExifData &exif = image->exifData();
        readExif(facts, exif);
        if (!facts.pixelSize.isValid()) {
            const Exiv2::Exifdatum *x = find(exif, "Exif.Photo.PixelXDimension");
            const Exiv2::Exifdatum *y = find(exif, "Exif.Photo.PixelYDimension");
            if (x && y && x->toLong(0) > 0 && y->toLong(0) > 0)
                facts.pixelSize = QSize(int(x->toLong(0)), int(y->toLong(0)));
        }
        if (withThumbnail) {
            const Exiv2::DataBuf data = Exiv2::ExifThumbC(exif).copy();
            if (data.size_ > 0)
                facts.thumbnail = QByteArray(reinterpret_cast<const char *>(data.pData_), qsizetype(data.size_));
        }
    } catch (const Exiv2::AnyError &) {
        // A format Exiv2 does not know, or a damaged header: the facts it did not reach stay empty.
    } catch (const std::exception &) {
    }
    return facts;
}

QDateTime PictureFacts::takenOrModified(const QString &path) const
{
    return taken.isValid() ? taken : QFileInfo(path).lastModified();
}
