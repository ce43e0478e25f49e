#ifndef RESOURCEDIR_H
#define RESOURCEDIR_H

#include <QCoreApplication>
#include <QString>

// The folder `name` ("plugins", "res", "help") of the program. In the build tree
// it lies beside the program (beside the "debug" or "release" folder the program
// may sit in); in an installed tree the plug-ins lie under lib/kelvarine and the
// rest under share/kelvarine. When neither exists, the folder beside the program.
QString resourceDir(const QString &name,
                    const QString &programDir = QCoreApplication::applicationDirPath());

// The helper program `name` ("updater") the wizard starts: beside the program in
// the build tree, under libexec/kelvarine in an installed tree. When neither
// exists, the path beside the program.
QString helperProgram(const QString &name,
                      const QString &programDir = QCoreApplication::applicationDirPath());

#endif
