#include "engine/project/projectwriter.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace {

void writeNamedText(QXmlStreamWriter &xml, const QString &element, const QString &name, const QString &text)
{
    xml.writeStartElement(element);
    xml.writeAttribute(QStringLiteral("Name"), name);
    // A bare carriage return does not survive reading (XML turns it into a line
    // feed, a text-mode read drops it), so it goes out as a character reference.
    const QStringList lines = text.split(QLatin1Char('\r'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            xml.writeEntityReference(QStringLiteral("#13"));
        xml.writeCharacters(lines.at(i));
    }
    xml.writeEndElement();
}

Failure unwritable()
{
    return Failure{QCoreApplication::translate("ProjectWriter", "The project file cannot be written.")};
}

} // namespace

Status ProjectWriter::write(const QString &path, const _ProjectFile &project) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return unwritable();

    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE %1>").arg(ProjectFormat::rootElement));
    xml.writeStartElement(ProjectFormat::rootElement);
    xml.writeAttribute(QStringLiteral("version"), ProjectFormat::version);

    xml.writeStartElement(QStringLiteral("Images"));
    for (const QString &image : project.images) {
        xml.writeEmptyElement(QStringLiteral("Image"));
        xml.writeAttribute(QStringLiteral("Path"), image);
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("Filters"));
    for (const FilterEntry &filter : project.filters)
        writeNamedText(xml, QStringLiteral("Filter"), filter.Name, filter.Params);
    xml.writeEndElement();

    QString group;
    for (const ProjectFormat::Property &property : ProjectFormat::properties) {
        if (group != QLatin1String(property.group)) {
            if (!group.isEmpty())
                xml.writeEndElement();
            group = QLatin1String(property.group);
            xml.writeStartElement(QStringLiteral("Properties"));
            xml.writeAttribute(QStringLiteral("Class"), group);
        }
        const QString value = property.number ? QString::number(project.*property.number) : project.*property.text;
        writeNamedText(xml, QStringLiteral("Property"), QLatin1String(property.key), value);
    }
    xml.writeEndElement();

    xml.writeEndElement();
    xml.writeEndDocument();

    // The writer flags characters XML cannot hold (control characters in a
    // path); such a file could never be read back, so it must not replace anything.
    if (xml.hasError()) {
        file.cancelWriting();
        return unwritable();
    }
    if (!file.commit())
        return unwritable();
    return {};
}
