#ifndef RESOURCEDIR_H
#define RESOURCEDIR_H

#include <QCoreApplication>
#include <QString>

// The folder `name` ("plugins", "res", "help") beside the program. A program that
// lives in a "debug" or "release" build folder looks beside that folder instead.
QString resourceDir(const QString &name,
                    const QString &programDir = QCoreApplication::applicationDirPath());

#endif
