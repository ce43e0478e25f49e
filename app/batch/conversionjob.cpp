#include "conversionjob.h"

#include "formatcatalog.h"

int ConversionJob::quality() const
{
    return FormatCatalog::quality(writeFormat);
}
