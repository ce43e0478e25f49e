#ifndef OVERWRITECHECK_H
#define OVERWRITECHECK_H

// Before an output replaces a file that was there before the batch, someone is
// asked: the wizard asks the user, kelvarine-batch answers from its --overwrite
// policy. Both go through the one question below (the batch planner asks it), so
// "Yes to All", "No to All" and renaming act the same whoever answers.

#include <QString>

#include <functional>

// Answers of the overwrite question, numbered as the overwrite dialog returns them.
enum OverwriteAnswer : int {
    OverwriteYes = 0,
    OverwriteNo = 1,
    OverwriteRename = 2,
    OverwriteYesToAll = 3,
    OverwriteNoToAll = 4,
    OverwriteAbort = 5
};

// The answer for a dialog's result code: any code it does not know ends the batch.
OverwriteAnswer overwriteAnswer(int code);

// Asked with the full target path and the base name it would be renamed from;
// returns the answer and, for a rename, the new base name in `name`.
using OverwriteQuestion = std::function<OverwriteAnswer(const QString &target, QString &name)>;

#endif
