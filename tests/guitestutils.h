#ifndef GUITESTUTILS_H
#define GUITESTUTILS_H

// Answering the program's modal windows from a test: each expected window is
// handed, in order, to the test's handler as soon as it is the active modal
// widget. Header-only, so only tests that use widgets pull in the toolkit's
// widget library.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace TestUtils {

class ModalAnswers : public QObject
{
public:
    // A handler returns false while the window is not ready to be answered; it is
    // then asked again on the next poll. Answers that open another window (a
    // nested event loop) go through later(), so that polling goes on meanwhile.
    using Handler = std::function<bool(QWidget *)>;

    template <typename Action>
    static void later(QObject *context, Action action)
    {
        QTimer::singleShot(0, context, action);
    }

    ModalAnswers()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    void expect(Handler handler) { m_handlers.append(std::move(handler)); }
    // Clicks the message box button; records the box's text.
    void press(QMessageBox::StandardButton button)
    {
        expect([this, button](QWidget *widget) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (!box)
                return false;
            texts.append(box->text());
            later(box, [box, button] { box->button(button)->click(); });
            return true;
        });
    }
    // Clicks the dialog's button of that object name.
    void click(const QString &objectName)
    {
        expect([objectName](QWidget *widget) {
            auto *button = widget->findChild<QAbstractButton *>(objectName);
            if (!button)
                return false;
            later(button, [button] { button->click(); });
            return true;
        });
    }

    bool done() const { return m_handlers.isEmpty(); }
    QStringList texts;  // texts of the message boxes answered

private:
    void poll()
    {
        QWidget *widget = QApplication::activeModalWidget();
        if (!widget || m_handlers.isEmpty() || widget == m_last)
            return;
        if (m_handlers.first()(widget)) {
            m_handlers.removeFirst();
            m_last = widget;
        }
    }

    QTimer m_timer;
    QList<Handler> m_handlers;
    QPointer<QWidget> m_last;
};

} // namespace TestUtils

#endif
