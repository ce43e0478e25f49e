#ifndef RENAMEOPTER_H
#define RENAMEOPTER_H

// Output file names from a naming template: literal text with keywords such as
// "[FileName]", "[FolderName]", "[Extension]", "[Counter_1_1_3]",
// "[Date_0_10_2_0]", "[Case_3_1]" and "[Replace_IMG_Holiday]" (the last one ends
// at the template's last "]"), and what the camera wrote into the picture's EXIF:
// "[CameraModel]", "[Lens]", "[ISO]", "[Aperture]", "[ExposureTime]",
// "[FocalLength]" (each empty when the picture does not say; see PictureFacts)
// and the date source 2 of a date tag, the date taken. Text in brackets of any
// other shape stays literal.
// Templates are stored in project files, so the tag shapes are a file format.
//
// The engine is a value: a batch takes its own copy of the template when it
// starts, and the wizard's previews and dialogs make their own, so nothing a
// batch reads changes while it runs.
//
// Threads: newName() is const and only reads the engine, the file system (the
// picture's EXIF where the template uses it) and the clock, so any number of threads may call it on one engine at once. setFormat()
// is not safe against concurrent newName() calls on the same engine.

#include <QString>
#include <QStringList>

#include <optional>

#include "engine/result.h"

class RenameOpter
{
public:
    // An engine with the default template, or with `format`.
    RenameOpter();
    explicit RenameOpter(const QString &format);

    // No file system takes a longer file name, in bytes.
    static constexpr int maxNameBytes = 255;

    // The template of a new project: the source's base name, unchanged.
    static QString defaultFormat();

    // Date patterns by row ("MMM-dd-yyyy", ...) and time patterns ("hh-mm", "hh-mm-ss").
    static const QStringList &dateFormats();
    static const QStringList &timeFormats();

    // Date sources of a date tag: the file's modification time, the clock, and
    // the EXIF date taken (the modification time for a picture without one).
    enum DateSource { modifiedDate = 0, currentDate = 1, takenDate = 2 };

    void setFormat(const QString &format);
    QString format() const { return fullTemplate; }

    // Output file name of the picture at `index` in the job, extension included and
    // without a folder; a failure when no file exists at `sourcePath` or it is no
    // regular file, or when the name would be longer than maxNameBytes. Such a
    // name is never built: the work stays bounded whatever the template.
    Result<QString> newName(const QString &sourcePath, int index) const;

    // The counter the name of the picture at `index` carries; none when the
    // template has no counter.
    std::optional<qint32> counterValue(int index) const;

private:
    qint32 counterAt(int index) const;

    QString fullTemplate;
    QString workingTemplate;  // case and replace tags removed
    unsigned caseMode = 0;    // 0 unchanged, 1 lower, 2 upper, 3 lower with a capital first
    unsigned lowerExtension = 0;
    unsigned counterStart = 0;
    unsigned counterStep = 0;
    unsigned counterDigits = 0;
    unsigned dateSource = 0;  // a DateSource; any other number: the clock
    unsigned dateFormat = 0;
    unsigned timeMode = 0;    // 0: 12-hour with AM/PM, 1: 24-hour, 2: no time
    unsigned timeFormat = 0;
    QString searchText;
    QString replaceText;
    bool needsFacts = false;
};

#endif
