#include "engine/picture/outputimage.h"

#include <QCoreApplication>

#include <lcms2.h>
#include <magick/api.h>

#include "engine/picture/formatcatalog.h"

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("OutputImage", text);
}

} // namespace

namespace OutputImage {

bool turnUpright(Magick::Image &image)
{
    const Magick::OrientationType orientation = image.orientation();
    if (orientation == Magick::UndefinedOrientation || orientation == Magick::TopLeftOrientation)
        return false;
    image.autoOrient();
    image.orientation(Magick::TopLeftOrientation);
    return true;
}

bool decodedUpright(const Magick::Image &image)
{
    return FormatCatalog::decodesUpright(QString::fromStdString(image.magick()));
}

void fitFormat(Magick::Image &image, const QString &extension)
{
    if (image.colorSpace() == Magick::CMYKColorspace && !FormatCatalog::holdsCmyk(extension)) {
        // Assigning a profile to a picture that has one converts its pixels.
        if (image.iccColorProfile().length() > 0)
            image.iccColorProfile(srgbProfile());
        else
            image.colorSpace(Magick::RGBColorspace);
    }
    if (image.matte() && !FormatCatalog::holdsTransparency(extension)) {
        Magick::Image white(Magick::Geometry(image.columns(), image.rows()), Magick::Color("white"));
        white.composite(image, 0, 0, Magick::OverCompositeOp);
        white.matte(false);
        image.composite(white, 0, 0, Magick::CopyCompositeOp);
        image.matte(false);
    }
    // The TIFF encoder keeps the compression the source was read with: a JPEG
    // would come out JPEG-compressed, lossy, inside the TIFF.
    if (FormatCatalog::isTiff(extension))
        image.compressType(Magick::ZipCompression);
}

QString dropUntrustedProfile(Magick::Image &image)
{
    size_t size = 0;
    const unsigned char *data = MagickLib::GetImageProfile(image.constImage(), "ICC", &size);
    if (!data)
        return QString();
    QString note;
    const quint32 told = size >= 4 ? (quint32(data[0]) << 24) | (quint32(data[1]) << 16) | (quint32(data[2]) << 8) | data[3]
                                   : 0;
    if (size > maxProfileBytes) {
        note = tr("Colour profile left out: %1 MB is too large for one").arg(size >> 20);
    } else if (size < 132 || told > size || size - told > 3) {  // a header and a tag count; padding at most
        note = tr("Colour profile left out: it is damaged (%1 bytes, its header says %2)").arg(size).arg(told);
    } else {
        cmsHPROFILE profile = cmsOpenProfileFromMem(data, cmsUInt32Number(size));
        if (!profile) {
            note = tr("Colour profile left out: it cannot be read");
        } else {
            const cmsColorSpaceSignature space = cmsGetColorSpace(profile);
            cmsCloseProfile(profile);
            const bool cmykPixels = image.colorSpace() == Magick::CMYKColorspace;
            const bool fits = cmykPixels ? space == cmsSigCmykData : space == cmsSigRgbData || space == cmsSigGrayData;
            if (!fits) {
                note = cmykPixels ? tr("Colour profile left out: it is not made for the picture's CMYK pixels")
                                  : tr("Colour profile left out: a CMYK profile does not fit the picture's pixels");
            }
        }
    }
    if (!note.isEmpty()) {
        // The library files a colour profile under either name.
        MagickLib::DeleteImageProfile(image.image(), "ICC");
        MagickLib::DeleteImageProfile(image.image(), "ICM");
    }
    return note;
}

const Magick::Blob &srgbProfile()
{
    static const Magick::Blob profile = [] {
        Magick::Blob blob;
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        // As a version 2 profile: older readers know no other, and print profiles
        // (mostly version 2) then map their perceptual intent as their makers meant.
        if (srgb)
            cmsSetProfileVersion(srgb, 2.1);
        cmsUInt32Number size = 0;
        if (srgb && cmsSaveProfileToMem(srgb, nullptr, &size) && size > 0) {
            std::string bytes(size, '\0');
            if (cmsSaveProfileToMem(srgb, bytes.data(), &size))
                blob.update(bytes.data(), size);
        }
        if (srgb)
            cmsCloseProfile(srgb);
        return blob;
    }();
    return profile;
}

} // namespace OutputImage
