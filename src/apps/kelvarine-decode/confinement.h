#ifndef CONFINEMENT_H
#define CONFINEMENT_H

// What the decoding helper gives up before it reads a byte of the picture: the
// privileges it could gain, its life beyond its parent's, its core dumps, memory,
// processor time and file sizes past a picture's needs, and (through Landlock)
// all access to files but reading the system's folders and the picture, and
// writing in its own temporary folder. Called once, from the helper's main
// thread, before anything else starts.

#include <QString>

#include <sys/types.h>

namespace Confinement {

struct Limits
{
    long long addressSpace = 0;  // bytes; 0: none (under AddressSanitizer none is set)
    long long processorSeconds = 0;
    long long fileSize = 0;  // bytes
};

// Ends the process and its process group when `parent` ends (or has ended
// already), and forbids gaining privileges. Sets the limits. False when one
// could not be set.
bool detach(pid_t parent);
bool limit(const Limits &limits);

// Confines file access and the network with the newest Landlock the kernel
// offers: read and execute in the system's folders, read the picture, anything
// in `folder`; no TCP, no signals or abstract sockets beyond the helper's own
// processes. Returns the Landlock ABI version in force, 0 when the kernel has
// none (the other protections then stand alone), -1 when confining failed.
int confine(const QString &folder, const QString &picture);

} // namespace Confinement

#endif
