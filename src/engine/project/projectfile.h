#ifndef PROJECTFILE_H
#define PROJECTFILE_H

// A whole job as stored in a project file (*.bps): the pictures, the filter chain
// with each filter's parameter string, the naming templates and the output
// options. A profile is the same without pictures. ProjectReader and
// ProjectWriter turn it into the XML file and back.

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

#include "engine/batch/outputoptions.h"

struct FilterEntry
{
    QString Name;    // untranslated name of the filter, "Resize" for "Transform\Resize"
    QString Params;  // its parameter string, unchanged

    // The stored name of a filter from its plug-in's category path.
    static QString nameOf(const QString &categoryPath);

    bool operator==(const FilterEntry &other) const { return Name == other.Name && Params == other.Params; }
};

struct _ProjectFile
{
    QStringList images;  // full paths, in list order; empty in a profile
    QList<FilterEntry> filters;
    QString formateStr;        // active naming template
    QString customFormateStr;  // last template of the custom template dialog
    int index = 0;             // chosen name preset
    int UseSourcePath = 0;     // 1: each output beside its source
    QString DestPath;
    int FormatIndex = 0;       // row of the output format list
    int Multipage = 0;
    int OpenOutputFolder = 0;
    int DeleteSource = 0;
    // What the outputs carry (OutputOptions); 0 in files written before they
    // existed, which is what those files always meant.
    int Quality = 0;
    int StripMetadata = 0;
    int StripGps = 0;
    int AutoOrient = 0;
    int KeepDate = 0;
    int AllowDocuments = 0;

    OutputOptions outputOptions() const;
    void setOutputOptions(const OutputOptions &options);

    // Relative picture and output folder paths (a project made to travel with its
    // pictures) are read from the project's folder; absolute ones stay as they are.
    void resolvePaths(const QString &projectFolder);

    bool operator==(const _ProjectFile &other) const;
};

// The file's vocabulary, shared by reader and writer.
namespace ProjectFormat {

inline const QString rootElement = QStringLiteral("Tamsorel");
inline const QString version = QStringLiteral("1.0.0");
// Larger files are refused unread: a real project holds paths and short strings.
constexpr qint64 maxFileSize = 16 * 1024 * 1024;

// One "Property" element: its group ("Properties" Class), its key, and the field
// it carries, a number or a string. Listed in the order they are written.
struct Property
{
    const char *group;
    const char *key;
    int _ProjectFile::*number;
    QString _ProjectFile::*text;
};

inline constexpr std::array<Property, 15> properties = {{
    {"Rename", "index", &_ProjectFile::index, nullptr},
    {"Rename", "formateStr", nullptr, &_ProjectFile::formateStr},
    {"Rename", "customFormateStr", nullptr, &_ProjectFile::customFormateStr},
    {"Output", "UseSourcePath", &_ProjectFile::UseSourcePath, nullptr},
    {"Output", "DestPath", nullptr, &_ProjectFile::DestPath},
    {"Output", "OpenOutputFolder", &_ProjectFile::OpenOutputFolder, nullptr},
    {"Output", "DeleteSource", &_ProjectFile::DeleteSource, nullptr},
    {"Format", "FormatIndex", &_ProjectFile::FormatIndex, nullptr},
    {"Format", "Multipage", &_ProjectFile::Multipage, nullptr},
    {"Picture", "Quality", &_ProjectFile::Quality, nullptr},
    {"Picture", "StripMetadata", &_ProjectFile::StripMetadata, nullptr},
    {"Picture", "StripGps", &_ProjectFile::StripGps, nullptr},
    {"Picture", "AutoOrient", &_ProjectFile::AutoOrient, nullptr},
    {"Picture", "KeepDate", &_ProjectFile::KeepDate, nullptr},
    {"Picture", "AllowDocuments", &_ProjectFile::AllowDocuments, nullptr},
}};

} // namespace ProjectFormat

#endif
