#include "apps/kelvarine-batch/outputflags.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("OutputFlags", text);
}

} // namespace

OutputFlags::OutputFlags()
    : m_quality("quality", tr("Quality of JPEG, WebP and JPEG XL outputs, 1 to 100 (default 77)."), "N")
    , m_stripMetadata("strip-metadata", tr("Write no EXIF, IPTC, XMP or comments; the colour profile stays."))
    , m_stripGps("strip-gps", tr("Remove the location from the metadata, keep the rest."))
    , m_autoOrient("auto-orient", tr("Turn pictures upright by their EXIF orientation before the filters run."))
    , m_keepDate("keep-date", tr("Converted pictures keep the source's modification time (copies always do)."))
    , m_allowDocuments("allow-documents",
                       tr("Read PostScript, EPS and PDF files (rendered by Ghostscript); off, they are refused."))
{
}

void OutputFlags::addTo(QCommandLineParser &parser) const
{
    parser.addOptions({m_quality, m_stripMetadata, m_stripGps, m_autoOrient, m_keepDate, m_allowDocuments});
}

Status OutputFlags::apply(const QCommandLineParser &parser, OutputOptions &options) const
{
    if (parser.isSet(m_quality)) {
        bool ok = false;
        const int quality = parser.value(m_quality).toInt(&ok);
        if (!ok || !OutputOptions::validQuality(quality))
            return Failure{tr("--quality takes a number from 1 to 100, not \"%1\"").arg(parser.value(m_quality))};
        options.quality = quality;
    }
    options.stripMetadata = options.stripMetadata || parser.isSet(m_stripMetadata);
    options.stripGps = options.stripGps || parser.isSet(m_stripGps);
    options.autoOrient = options.autoOrient || parser.isSet(m_autoOrient);
    options.keepDate = options.keepDate || parser.isSet(m_keepDate);
    options.allowDocuments = options.allowDocuments || parser.isSet(m_allowDocuments);
    return {};
}
