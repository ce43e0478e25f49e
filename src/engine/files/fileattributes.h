#ifndef FILEATTRIBUTES_H
#define FILEATTRIBUTES_H

// What an output takes over from its source besides the picture: the permission
// bits (a private photograph stays private) and, where asked, the modification
// time. Safe to call from any thread.

#include <QString>
#include <QStringList>

namespace FileAttributes {

// Gives the open file the source's permission bits. Done while the output has
// no name yet, so it is never readable by more people than the source.
bool takeMode(const QString &source, int fd);
// For a file made of several sources: only what all of them allow.
bool takeMode(const QStringList &sources, int fd);

// Gives the open file the source's access and modification times. Must come
// after the last write to it.
bool takeTimes(const QString &source, int fd);

} // namespace FileAttributes

#endif
