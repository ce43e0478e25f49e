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

// False when `strict` and a number property holds no whole number in range.
bool readProperty(QXmlStreamReader &xml, _ProjectFile &project, bool strict, QString *error)
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
                if (error) {
                    *error = QCoreApplication::translate("ProjectReader",
                                                         "the property %1 has the value \"%2\", not a whole number in range")
                                 .arg(QLatin1String(property.key), text);
                }
                return false;
            }
        } else {
            project.*property.text = text;
        }
        return true;
    }
    // Another name: passed over like any element we do not know.
    return true;
}

} // namespace

ProjectReader &ProjectReader::instance()
{
    static ProjectReader reader;
    return reader;
}

bool ProjectReader::read(const QString &path, _ProjectFile &project) const
{
    return read(path, project, Numbers::Lenient, nullptr);
}

bool ProjectReader::read(const QString &path, _ProjectFile &project, Numbers numbers, QString *error) const
{
    // Only regular files: a device or a pipe could feed the parser without end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > ProjectFormat::maxFileSize)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    // As much as the file holds, and a byte more to notice one that has grown
    // past the limit since: asking for the limit itself would allocate 16 MB for
    // every project of a few hundred bytes.
    const QByteArray content = file.read(qMin(file.size(), ProjectFormat::maxFileSize) + 1);
    if (content.size() > ProjectFormat::maxFileSize)
        return false;

    QXmlStreamReader xml(content);
    while (!xml.atEnd() && !xml.isStartElement()) {
        xml.readNext();
        if (xml.isDTD() && !harmlessDoctype(xml))
            return false;
    }
    if (!xml.isStartElement() || xml.name() != ProjectFormat::rootElement
        || xml.attributes().value(QLatin1String("version")) != ProjectFormat::version)
        return false;

    _ProjectFile read;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEntityReference())
            return false;
        if (!xml.isStartElement())
            continue;
        const QStringView element = xml.name();
        if (element == QLatin1String("Image")) {
            read.images.append(xml.attributes().value(QLatin1String("Path")).toString());
        } else if (element == QLatin1String("Filter")) {
            const QString name = xml.attributes().value(QLatin1String("Name")).toString();
            read.filters.append(FilterEntry{name, xml.readElementText()});
        } else if (element == QLatin1String("Property")) {
            if (!readProperty(xml, read, numbers == Numbers::Strict, error))
                return false;
        }
    }
    if (xml.hasError())
        return false;
    project = read;
    return true;
}
