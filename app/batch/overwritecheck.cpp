#include "overwritecheck.h"

#include <QFileInfo>

#include "picturetarget.h"

namespace OverwriteCheck {

Outcome resolve(QString &target, bool &yesToAll, bool &noToAll, const OverwriteQuestion &ask)
{
    for (;;) {
        if (yesToAll || !QFileInfo::exists(target))
            return Proceed;
        if (noToAll)
            return Skip;
        QString name = PictureTarget::baseName(target);
        const int code = ask(target, name);
        switch (code) {
        case OverwriteYes:
            return Proceed;
        case OverwriteNo:
            return Skip;
        case OverwriteRename:
            target = PictureTarget::withBaseName(target, name);
            continue;
        case OverwriteYesToAll:
            yesToAll = true;
            return Proceed;
        case OverwriteNoToAll:
            noToAll = true;
            return Skip;
        default:
            return Abort;
        }
    }
}

} // namespace OverwriteCheck
