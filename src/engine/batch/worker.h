#ifndef WORKER_H
#define WORKER_H

// The one way off the calling thread, for the wizard and kelvarine-batch alike:
// a Worker runs tasks on a thread pool of its own, each task with the worker's
// cancel token, and hands back each result as a QFuture, or to a function called
// on a context object's thread.
//
//   Worker worker(1);
//   worker.start(this, [picture](const CancelToken &token) { ...; return result; },
//                [this](const Result &result) { show(result); });
//   worker.cancel();  // the running tasks stop at the library's next progress report
//
// A task owns what it reads: it captures its own copies (a path, a plan, a picture
// after modifyImage()), never a pointer into its owner's state, so the owner may
// change or go away while it runs.
//
// Threads: every member from the thread that created the worker; the tasks run
// on the pool. A cancelled task's result is never handed to `done`.

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <memory>
#include <type_traits>

#include "engine/batch/canceltoken.h"

class Worker
{
public:
    // At most `threads` tasks at a time; 0 for one per core.
    explicit Worker(int threads = 0);
    // Cancels the running tasks and waits for them.
    ~Worker();
    Worker(const Worker &) = delete;
    Worker &operator=(const Worker &) = delete;

    template <typename Task>
    using ResultOf = std::invoke_result_t<Task, const CancelToken &>;

    template <typename Task>
    QFuture<ResultOf<Task>> start(Task task)
    {
        return QtConcurrent::run(m_pool.get(), [token = m_token, task = std::move(task)] { return task(*token); });
    }

    // Starts `task`; `done(result)` runs on `context`'s thread once it ends,
    // unless the task was cancelled first or the context is gone. `done` is
    // always called from the context's event loop, never from within start(),
    // also for a task that ends at once. The context lives on the calling thread.
    template <typename Task, typename Done>
    void start(QObject *context, Task task, Done done)
    {
        using Result = ResultOf<Task>;
        std::shared_ptr<CancelToken> token = m_token;
        // A child of the context: gone with it, so nothing is delivered to an
        // owner that went away, and its signal is posted, never called in place.
        auto *watcher = new QFutureWatcher<Result>(context);
        QObject::connect(watcher, &QFutureWatcherBase::finished, watcher,
                         [watcher, token, done = std::move(done)] {
                             watcher->deleteLater();
                             if (token->isCancelled())
                                 return;
                             if constexpr (std::is_void_v<Result>)
                                 done();
                             else
                                 done(watcher->result());
                         });
        watcher->setFuture(start(std::move(task)));
    }

    // Stops every task started so far; tasks started afterwards run normally.
    void cancel();
    bool isBusy() const;
    void waitForDone();
    // For an owner that goes away without waiting for a task that may not stop
    // at once (an operation that reports no progress): cancels, and leaves the
    // tasks to end on their own. The program waits for them on its way out,
    // before the image library shuts down.
    void detach();

private:
    std::unique_ptr<QThreadPool> m_pool;
    std::shared_ptr<CancelToken> m_token;
};

#endif
