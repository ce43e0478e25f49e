#include "gui/wizard/wizardkeys.h"

#include <QAction>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

#include "ui_tamsorel.h"

namespace {

// Some platforms have no standard key for an entry (no Quit on Windows, no
// Save As on some desktops): those get the common one.
QList<QKeySequence> standardOr(QKeySequence::StandardKey key, const QKeySequence &fallback)
{
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    return keys.isEmpty() ? QList<QKeySequence>{fallback} : keys;
}

void pressOn(const QList<QKeySequence> &keys, QPushButton *button, QWidget *window)
{
    for (const QKeySequence &key : keys) {
        auto *shortcut = new QShortcut(key, window);
        // A disabled button (Back on the first step) ignores its key as it ignores a click.
        QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    }
}

} // namespace

namespace WizardKeys {

void install(Ui::TamsorelClass &ui, QWidget *window)
{
    ui.actionNew->setShortcuts(standardOr(QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)));
    ui.actionLoad_Project->setShortcuts(standardOr(QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O)));
    ui.actionSave_Project->setShortcuts(standardOr(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
    ui.actionSave_Project_As->setShortcuts(
        standardOr(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    ui.actionExit->setShortcuts(standardOr(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));

    pressOn(standardOr(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)), ui.pbHelp, window);
    pressOn({QKeySequence(Qt::CTRL | Qt::Key_PageDown), QKeySequence(Qt::ALT | Qt::Key_Right)}, ui.pbNext, window);
    pressOn({QKeySequence(Qt::CTRL | Qt::Key_PageUp), QKeySequence(Qt::ALT | Qt::Key_Left)}, ui.pbBack, window);

    // Only while the list has the focus: Delete in a text field deletes text.
    auto *remove = new QShortcut(QKeySequence::Delete, ui.treeWidget, nullptr, nullptr, Qt::WidgetShortcut);
    QObject::connect(remove, &QShortcut::activated, ui.pbStep1_Remove, &QPushButton::click);
}

} // namespace WizardKeys
