#include "engine/batch/conversionjob.h"

#include "engine/picture/formatcatalog.h"

int ConversionJob::quality() const
{
    return FormatCatalog::quality(writeFormat);
}
