#include "engine/batch/outputoptions.h"

#include "engine/picture/formatcatalog.h"

int OutputOptions::qualityFor(int formatQuality, const QString &extension) const
{
    // A chosen quality is for the photographic encoders, also where the
    // original format leads to one of them; PNG's "quality" is its compression.
    if (validQuality(quality) && FormatCatalog::takesQuality(extension))
        return quality;
    return formatQuality;
}
