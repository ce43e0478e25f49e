#ifndef ACCELERATORS_H
#define ACCELERATORS_H

// Keyboard accelerators ("&" before a character) for menus, so that every entry
// can be reached from the keyboard. Within one list of actions every entry gets
// a distinct key; a text that already has one keeps it. The menu bar's titles
// share Alt with the window's buttons and labels, so they also stay clear of the
// keys those already hold (in every language, whatever the translator chose).

#include <QList>
#include <QString>
#include <QStringList>

class QAction;
class QWidget;

namespace Accelerators {

// The keys in the order they are preferred; translatable, as other alphabets differ.
QString alphabet();

// The texts with accelerators added: each text without one gets the first free
// key among its words' initials, else among all its characters; a text with no
// free key is left as it is.
QStringList assign(const QStringList &texts, const QString &reserved = QString());

// The key of a text's accelerator, upper case; a null character when it has none.
QChar keyOf(const QString &text);

// The keys that the buttons, labels, group boxes and tabs inside `window` hold,
// hidden pages included.
QString widgetKeys(const QWidget *window);

// Applies assign() to the actions and, for actions that open a menu, to that
// menu's actions, recursively. Separators and empty texts take no key.
// `reserved` keys are taken by nobody in the top list (submenus are groups of their own).
void assignTo(const QList<QAction *> &actions, const QString &reserved = QString());

} // namespace Accelerators

#endif
