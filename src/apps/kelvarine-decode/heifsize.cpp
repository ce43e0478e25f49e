#include "apps/kelvarine-decode/heifsize.h"

#include <QCoreApplication>
#include <QDir>

#include <libheif/heif.h>


namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PictureCodec", text);
}

// libheif's objects, freed however the check ends.
struct Heif
{
    heif_context *context = heif_context_alloc();
    heif_image_handle *handle = nullptr;
    heif_image *image = nullptr;
    ~Heif()
    {
        heif_image_release(image);
        heif_image_handle_release(handle);
        heif_context_free(context);
    }
};

Failure fail(const QString &path, const heif_error &error)
{
    return Failure{tr("Cannot decode %1: %2").arg(QDir::toNativeSeparators(path), QString::fromUtf8(error.message))};
}

} // namespace

namespace HeifSize {

Status check(const QString &path, const QByteArray &content)
{
    Heif heif;
    heif_error error = heif_context_read_from_memory_without_copy(heif.context, content.constData(),
                                                                  size_t(content.size()), nullptr);
    if (error.code != heif_error_Ok)
        return fail(path, error);
    error = heif_context_get_primary_image_handle(heif.context, &heif.handle);
    if (error.code != heif_error_Ok)
        return fail(path, error);
    const int declaredWidth = heif_image_handle_get_width(heif.handle);
    const int declaredHeight = heif_image_handle_get_height(heif.handle);
    // The same colours and layout the image library asks for.
    const bool alpha = heif_image_handle_has_alpha_channel(heif.handle);
    error = heif_decode_image(heif.handle, &heif.image, heif_colorspace_RGB,
                              alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr);
    if (error.code != heif_error_Ok)
        return fail(path, error);
    const int width = heif_image_get_width(heif.image, heif_channel_interleaved);
    const int height = heif_image_get_height(heif.image, heif_channel_interleaved);
    if (width != declaredWidth || height != declaredHeight) {
        return Failure{tr("%1 declares %2 x %3 pixels but holds %4 x %5")
                           .arg(QDir::toNativeSeparators(path))
                           .arg(declaredWidth)
                           .arg(declaredHeight)
                           .arg(width)
                           .arg(height)};
    }
    return {};
}

} // namespace HeifSize
