#ifndef CANCELTOKEN_H
#define CANCELTOKEN_H

// Stopping an operation of the image library while it runs, from another thread.
//
// The library reports the progress of each operation on a picture through one
// process-wide monitor, naming the picture by its file name, and abandons the
// operation when the monitor answers that it should stop. A token gives a picture
// a file name of its own; once the token is cancelled, every operation on that
// picture (and on the pictures the library derives from it) stops at its next
// progress report. Operations that report no progress run to their end.
//
// Threads: cancel() and isCancelled() from any thread; the rest from the thread
// that owns the picture.

#include <QByteArray>

#include <atomic>

#include <Magick++.h>

class CancelToken
{
public:
    CancelToken();
    ~CancelToken();
    CancelToken(const CancelToken &) = delete;
    CancelToken &operator=(const CancelToken &) = delete;

    // Ties the picture's operations to this token. The picture's file name is
    // replaced; it is not used to read or write it afterwards.
    void attach(Magick::Image &image) const;

    void cancel();
    bool isCancelled() const { return m_cancelled.load(); }
    // Lets the pictures attached to this token run again.
    void reset();

private:
    const QByteArray m_tag;
    std::atomic<bool> m_cancelled{false};
};

#endif
