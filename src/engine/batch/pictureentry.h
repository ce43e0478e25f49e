#ifndef PICTUREENTRY_H
#define PICTUREENTRY_H

// One picture of a job, and the two ways pictures join a job: files given one by
// one, and every readable picture of a folder.

#include <QList>
#include <QString>
#include <QStringList>

struct PictureEntry
{
    QString path;    // the full path as chosen
    QString name;    // file name without folder and suffix
    QString type;    // suffix, upper case
    QString folder;  // folder part of the path

    static PictureEntry fromPath(const QString &path);
};

// Appends the files in the given order; a path already in the list (the same
// text, exactly) is skipped. The listed paths are looked up in a hash set made
// once per call, so adding k pictures to a list of n takes time in n + k, not
// n * k. `comparisons`, when given, receives how many pairs of paths were
// compared: about one per duplicate, never one per pair.
void addPictures(QList<PictureEntry> &pictures, const QStringList &paths, qint64 *comparisons = nullptr);

// The files (no subfolders) of a folder whose names match the readable formats'
// name patterns, whatever their case, as full paths sorted by name in descending
// order, the order in which a folder has always been added.
QStringList folderPictures(const QString &folder);

#endif
