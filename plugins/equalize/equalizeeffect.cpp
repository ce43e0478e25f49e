#include "equalizeeffect.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("EqualizeEffect", "Touch-Up\\Equalize"),
    QT_TRANSLATE_NOOP("EqualizeEffect", "Apply histogram equalization"),
    0,
    "",
    ""};

EqualizeEffect::EqualizeEffect()
    : EqualizeFrame(staticMetaObject.className(), filterIdentity)
{
}

void EqualizeEffect::run(const NoParams &, Magick::Image &image) const
{
    image.equalize();
}
