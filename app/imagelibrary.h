#ifndef IMAGELIBRARY_H
#define IMAGELIBRARY_H

// Starting the image library the one way every program and test of ours does.

namespace ImageLibrary {

// Starts the library without signal handlers of its own (Qt and the shell keep
// theirs) and with resource limits, so that an absurd size asked for by a project
// file fails that one picture as a library error instead of exhausting memory or
// disk. Safe to call more than once.
void initialize(const char *programPath);

// Threads the library may use for one operation; 0 restores its own choice.
// Used when several pictures are converted at once, so the cores are shared
// rather than oversubscribed.
void setThreadLimit(int threads);

// The pixel count beyond which a picture is refused.
long long pixelLimit();

} // namespace ImageLibrary

#endif
