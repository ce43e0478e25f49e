#ifndef OVERWRITECHECK_H
#define OVERWRITECHECK_H

// Before an output replaces an existing file, someone is asked: the wizard asks
// the user, the batch runner answers from its --overwrite policy. Both go through
// the one question below, so "Yes to All", "No to All" and renaming act the same
// whoever answers.

#include <QString>

#include <functional>

// Answer codes of the overwrite question, as the overwrite dialog returns them.
enum OverwriteAnswer {
    OverwriteYes = 0,
    OverwriteNo = 1,
    OverwriteRename = 2,
    OverwriteYesToAll = 3,
    OverwriteNoToAll = 4,
    OverwriteAbort = 5  // and any other code
};

// Asked with the full target path and the base name it would be renamed from;
// returns the answer code and, for a rename, the new base name in `name`.
using OverwriteQuestion = std::function<int(const QString &target, QString &name)>;

namespace OverwriteCheck {

enum Outcome { Proceed, Skip, Abort };

// Decides whether the output may go to `target`, asking when a file is in the
// way. A rename changes `target` and is checked again, so a new name that exists
// too is asked about as well. `yesToAll` and `noToAll` carry over between the
// pictures of one batch.
Outcome resolve(QString &target, bool &yesToAll, bool &noToAll, const OverwriteQuestion &ask);

} // namespace OverwriteCheck

#endif
