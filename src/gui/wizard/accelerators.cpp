#include "gui/wizard/accelerators.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabBar>

namespace {

// The key of an existing accelerator, or a null character.
QChar existingKey(const QString &text)
{
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&')) {
            ++i;  // "&&" is a literal ampersand
            continue;
        }
        return text.at(i + 1).toUpper();
    }
    return QChar();
}

int freePosition(const QString &text, const QString &alphabet, const QString &used)
{
    auto isFree = [&](QChar c) {
        const QChar key = c.toUpper();
        return alphabet.contains(key) && !used.contains(key);
    };
    for (int i = 0; i < text.size(); ++i) {
        const bool wordStart = i == 0 || text.at(i - 1).isSpace();
        if (wordStart && isFree(text.at(i)))
            return i;
    }
    for (int i = 0; i < text.size(); ++i) {
        if (isFree(text.at(i)))
            return i;
    }
    return -1;
}

} // namespace

namespace Accelerators {

QString alphabet()
{
    return QCoreApplication::translate("Accelerator Keys", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ").toUpper();
}

QChar keyOf(const QString &text)
{
    return existingKey(text);
}

QString widgetKeys(const QWidget *window)
{
    QStringList texts;
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
        texts.append(button->text());
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->textFormat() != Qt::RichText && !Qt::mightBeRichText(label->text()))
            texts.append(label->text());
    }
    for (const QGroupBox *group : window->findChildren<QGroupBox *>())
        texts.append(group->title());
    for (const QTabBar *tabs : window->findChildren<QTabBar *>()) {
        for (int i = 0; i < tabs->count(); ++i)
            texts.append(tabs->tabText(i));
    }
    QString keys;
    for (const QString &text : std::as_const(texts)) {
        const QChar key = existingKey(text);
        if (!key.isNull() && !keys.contains(key))
            keys.append(key);
    }
    return keys;
}

QStringList assign(const QStringList &texts, const QString &reserved)
{
    const QString keys = alphabet();
    QString used = reserved.toUpper();
    for (const QString &text : texts) {
        const QChar key = existingKey(text);
        if (!key.isNull())
            used.append(key);
    }
    QStringList result;
    for (const QString &text : texts) {
        if (text.isEmpty() || !existingKey(text).isNull()) {
            result.append(text);
            continue;
        }
        const int at = freePosition(text, keys, used);
        if (at < 0) {
            result.append(text);
            continue;
        }
        used.append(text.at(at).toUpper());
        result.append(text.left(at) + QLatin1Char('&') + text.mid(at));
    }
    return result;
}

void assignTo(const QList<QAction *> &actions, const QString &reserved)
{
    QList<QAction *> named;
    QStringList texts;
    for (QAction *action : actions) {
        if (action->isSeparator() || action->text().isEmpty())
            continue;
        named.append(action);
        texts.append(action->text());
    }
    const QStringList assigned = assign(texts, reserved);
    for (int i = 0; i < named.size(); ++i) {
        named.at(i)->setText(assigned.at(i));
        if (QMenu *menu = named.at(i)->menu())
            assignTo(menu->actions());
    }
}

} // namespace Accelerators
