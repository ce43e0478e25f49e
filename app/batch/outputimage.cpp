#include "outputimage.h"

#include <lcms2.h>

#include "formatcatalog.h"

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
    const std::string format = image.magick();
    return format == "HEIC" || format == "HEIF" || format == "AVIF" || format == "JXL" || format == "DCRAW";
}

void fitFormat(Magick::Image &image, const QString &extension)
{
    if (image.colorSpace() == Magick::CMYKColorspace && !FormatCatalog::holdsCmyk(extension)
        && image.iccColorProfile().length() > 0) {
        // Assigning a profile to a picture that has one converts its pixels.
        image.iccColorProfile(srgbProfile());
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
