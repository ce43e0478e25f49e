#ifndef ACCELERATORS_H
#define ACCELERATORS_H

// Keyboard accelerators ("&" before a character) for menus, so that every entry
// can be reached from the keyboard. Within one list of actions every entry gets
// a distinct key; a text that already has one keeps it.

#include <QList>
#include <QString>
#include <QStringList>

class QAction;

namespace Accelerators {

// The keys in the order they are preferred; translatable, as other alphabets differ.
QString alphabet();

// The texts with accelerators added: each text without one gets the first free
// key among its words' initials, else among all its characters; a text with no
// free key is left as it is.
QStringList assign(const QStringList &texts);

// Applies assign() to the actions and, for actions that open a menu, to that
// menu's actions, recursively. Separators and empty texts take no key.
void assignTo(const QList<QAction *> &actions);

} // namespace Accelerators

#endif
