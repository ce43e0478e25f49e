#ifndef OVERWRITEWAIT_H
#define OVERWRITEWAIT_H

// The overwrite question of a run on a worker, put to the owning thread: the run
// asks and waits for the answer, or for a stop, or for the owner closing down,
// whichever comes first. The run and its owner share one of these, so neither
// reads the other's state.
//
// Threads: ask() on the worker; every other member from any thread. The
// `asked` signal is emitted on the worker, from within ask().

#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>

#include <atomic>

#include "engine/batch/overwritecheck.h"

class OverwriteWait : public QObject
{
    Q_OBJECT

public:
    // Emits asked(target) and waits; OverwriteAbort when stopped or closed.
    OverwriteAnswer ask(const QString &target, QString &name);
    void answer(const QString &name, int code);

    // Ends a wait at once (as Abort), and the waits after it, until clearStop().
    void stop();
    void clearStop();
    bool isStopped() const { return m_stopped.load(); }
    // No wait from now on ends with an answer: the owner goes away.
    void close();

    // The target being asked about; empty when no question is open.
    QString pending() const;

signals:
    void asked(const QString &target);

private:
    std::atomic<bool> m_stopped{false};
    QString m_name;
    OverwriteAnswer m_code = OverwriteYes;
    QString m_asking;
    bool m_answered = false;
    bool m_closing = false;
    mutable QMutex m_lock;
    QWaitCondition m_ready;
};

#endif
