#include "engine/project/projectreader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace {

// The program's own files carry a bare "<!DOCTYPE Tamsorel>". Entities declared
// there, or possibly in an external subset we never load, are refused before any
// of them can be expanded.
bool harmlessDoctype(const QXmlStreamReader &xml)
{
    return xml.entityDeclarations().isEmpty() && !xml.text().contains(QLatin1String("<!ENTITY"))
           && xml.dtdSystemId().isEmpty() && xml.dtdPublicId().isEmpty();
}

// Refused when `strict` and a number property holds no whole number in range.
Status readProperty(QXmlStreamReader &xml, _ProjectFile &project, bool strict)
{
    const QStringView key = xml.attributes().value(QLatin1String("Name"));
    for (const ProjectFormat::Property &property : ProjectFormat::properties) {
        if (key != QLatin1String(property.key))
            continue;
        const QString text = xml.readElementText();
        if (property.number) {
            bool ok = false;
            project.*property.number = text.trimmed().toInt(&ok); // not a number: 0
            if (!ok && strict) {
                return Failure{QCoreApplication::translate("ProjectReader",
                                                           "the property %1 has the value \"%2\", not a whole number in range")
                                   .arg(QLatin1String(property.key), text)};
            }
        } else {
            project.*property.text = text;
        }
        return {};
    }
    // Another name: passed over like any element we do not know.
    return {};
}

Failure unsupported()
{
    return Failure{QCoreApplication::translate("ProjectReader", "The project file is not supported.")};
}

} // namespace

Result<_ProjectFile> ProjectReader::read(const QString &path, Numbers numbers) const
{
    // Only regular files: a device or a pipe could feed the parser without end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > ProjectFormat::maxFileSize)
        return unsupported();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return unsupported();
    // As much as the file holds, and a byte more to notice one that has grown
    // past the limit since: asking for the limit itself would allocate 16 MB for
    // every project of a few hundred bytes.
    const QByteArray content = file.read(qMin(file.size(), ProjectFormat::maxFileSize) + 1);
    if (content.size() > ProjectFormat::maxFileSize)
        return unsupported();

    QXmlStreamReader xml(content);
    while (!xml.atEnd() && !xml.isStartElement()) {
        xml.readNext();
        if (xml.isDTD() && !harmlessDoctype(xml))
            return unsupported();
    }
    if (!xml.isStartElement() || xml.name() != ProjectFormat::rootElement
        || xml.attributes().value(QLatin1String("version")) != ProjectFormat::version)
        return unsupported();

    _ProjectFile read;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEntityReference())
            return unsupported();
        if (!xml.isStartElement())
            continue;
        const QStringView element = xml.name();
        if (element == QLatin1String("Image")) {
            read.images.append(xml.attributes().value(QLatin1String("Path")).toString());
        } else if (element == QLatin1String("Filter")) {
            const QString name = xml.attributes().value(QLatin1String("Name")).toString();
            read.filters.append(FilterEntry{name, xml.readElementText()});
        } else if (element == QLatin1String("Property")) {
            if (Status property = readProperty(xml, read, numbers == Numbers::Strict); !property)
                return Failure{property.error()};
        }
    }
    if (xml.hasError())
        return unsupported();
    return read;
}
