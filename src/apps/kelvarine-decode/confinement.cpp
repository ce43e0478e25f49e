#include "apps/kelvarine-decode/confinement.h"

#include <QFile>

#include <linux/landlock.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace {

// The rights of later ABIs than the system's header knows.
constexpr __u64 fsTruncate = 1ULL << 14;   // ABI 3
constexpr __u64 fsIoctlDev = 1ULL << 15;   // ABI 5
constexpr __u64 netBindTcp = 1ULL << 0;    // ABI 4
constexpr __u64 netConnectTcp = 1ULL << 1; // ABI 4
constexpr __u64 scopeAbstractUnixSocket = 1ULL << 0;  // ABI 6
constexpr __u64 scopeSignal = 1ULL << 1;              // ABI 6
constexpr __u32 createRulesetVersion = 1U << 0;

// The ruleset of the newest ABI; the kernel is given as much of it as its own
// ABI knows.
struct Ruleset
{
    __u64 handledAccessFs;
    __u64 handledAccessNet;
    __u64 scoped;
};

constexpr __u64 readRights = LANDLOCK_ACCESS_FS_EXECUTE | LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_READ_DIR;
// Rights that apply to a file rather than a folder.
constexpr __u64 fileRights = LANDLOCK_ACCESS_FS_EXECUTE | LANDLOCK_ACCESS_FS_WRITE_FILE | LANDLOCK_ACCESS_FS_READ_FILE
                             | fsTruncate | fsIoctlDev;

__u64 fsRightsOf(int abi)
{
    __u64 rights = (LANDLOCK_ACCESS_FS_MAKE_SYM << 1) - 1;  // ABI 1
    if (abi >= 2)
        rights |= LANDLOCK_ACCESS_FS_REFER;
    if (abi >= 3)
        rights |= fsTruncate;
    if (abi >= 5)
        rights |= fsIoctlDev;
    return rights;
}

size_t rulesetSizeOf(int abi)
{
    if (abi >= 6)
        return sizeof(Ruleset);
    if (abi >= 4)
        return offsetof(Ruleset, scoped);
    return offsetof(Ruleset, handledAccessNet);
}

// Allows `rights` (of those handled) beneath `path`; a path that does not exist
// on this system is left out.
bool allow(int ruleset, const char *path, __u64 rights, __u64 handled)
{
    const int fd = ::open(path, O_PATH | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR;
    struct stat status;
    if (::fstat(fd, &status) == 0 && !S_ISDIR(status.st_mode))
        rights &= fileRights;
    landlock_path_beneath_attr rule{};
    rule.allowed_access = rights & handled;
    rule.parent_fd = fd;
    const bool added = rule.allowed_access == 0
                       || ::syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &rule, 0) == 0;
    ::close(fd);
    return added;
}

// The parent has gone: the helper ends, and Ghostscript or dcraw, its children
// in its process group, end with it rather than run on unattended.
void endGroup(int)
{
    ::kill(0, SIGKILL);
}

bool setLimit(int resource, long long soft, long long hard)
{
    const rlimit value{rlim_t(soft), rlim_t(hard)};
    return ::setrlimit(resource, &value) == 0;
}

} // namespace

namespace Confinement {

bool detach(pid_t parent)
{
    struct sigaction ending = {};
    ending.sa_handler = endGroup;
    if (::sigaction(SIGTERM, &ending, nullptr) != 0 || ::prctl(PR_SET_PDEATHSIG, SIGTERM) != 0
        || ::getppid() != parent)
        return false;
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0;
}

bool limit(const Limits &limits)
{
    bool set = setLimit(RLIMIT_CORE, 0, 0);
#if !defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer reserves terabytes of address space for its shadow memory.
    if (limits.addressSpace > 0)
        set = setLimit(RLIMIT_AS, limits.addressSpace, limits.addressSpace) && set;
#endif
    // SIGXCPU at the limit, the end a few seconds later if it is ignored.
    if (limits.processorSeconds > 0)
        set = setLimit(RLIMIT_CPU, limits.processorSeconds, limits.processorSeconds + 5) && set;
    if (limits.fileSize > 0)
        set = setLimit(RLIMIT_FSIZE, limits.fileSize, limits.fileSize) && set;
    return set;
}

int confine(const QString &folder, const QString &picture)
{
    const long abi = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, createRulesetVersion);
    if (abi < 1)
        return 0;  // no Landlock in this kernel, or switched off
    Ruleset ruleset{};
    ruleset.handledAccessFs = fsRightsOf(int(abi));
    if (abi >= 4)
        ruleset.handledAccessNet = netBindTcp | netConnectTcp;
    if (abi >= 6)
        ruleset.scoped = scopeAbstractUnixSocket | scopeSignal;
    const int fd = int(::syscall(SYS_landlock_create_ruleset, &ruleset, rulesetSizeOf(int(abi)), 0));
    if (fd < 0)
        return -1;
    const __u64 handled = ruleset.handledAccessFs;
    bool allowed = true;
    // The libraries, their data and configuration, the programs run on a picture
    // (Ghostscript, dcraw) and what they read of the system.
    for (const char *system : {"/usr", "/etc", "/lib", "/lib32", "/lib64", "/libx32", "/bin", "/sbin", "/proc",
                               "/sys", "/var/lib/ghostscript", "/dev/urandom", "/dev/random"})
        allowed = allow(fd, system, readRights, handled) && allowed;
    allowed = allow(fd, "/dev/null", LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_WRITE_FILE | fsTruncate, handled)
              && allowed;
    allowed = allow(fd, QFile::encodeName(folder).constData(), handled, handled) && allowed;
    allowed = allow(fd, QFile::encodeName(picture).constData(), LANDLOCK_ACCESS_FS_READ_FILE, handled) && allowed;
    const bool restricted = allowed && ::syscall(SYS_landlock_restrict_self, fd, 0) == 0;
    ::close(fd);
    return restricted ? int(abi) : -1;
}

} // namespace Confinement
