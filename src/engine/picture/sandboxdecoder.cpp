#include "engine/picture/sandboxdecoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QProcessEnvironment>

#include <magick/api.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include "engine/runtime/imagelibrary.h"
#include "engine/picture/picturetransfer.h"
#include "engine/runtime/resourcedir.h"

namespace {

constexpr int defaultTimeLimit = 120;
// What the helper printed is kept up to this much, the end of it.
constexpr int outputKept = 64 * 1024;
constexpr int linesShown = 3;

QMutex programLock;
QString chosenProgram;
std::atomic<int> chosenTimeLimit{0};
std::atomic<int> apart{-1};

QString tr(const char *text)
{
    return QCoreApplication::translate("SandboxDecoder", text);
}

// A file descriptor closed when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

// The helper's temporary folder, new and empty, inside this run's own one, and
// removed whatever the helper left in it and however it ended.
class WorkFolder
{
public:
    WorkFolder()
    {
        QString base = ImageLibrary::temporaryFolder();
        if (base.isEmpty())
            base = QDir::tempPath();
        QByteArray folder = QFile::encodeName(base) + "/decode-XXXXXX";
        if (::mkdtemp(folder.data()))
            m_path = QFile::decodeName(folder);
    }
    ~WorkFolder()
    {
        if (!m_path.isEmpty())
            QDir(m_path).removeRecursively();
    }
    WorkFolder(const WorkFolder &) = delete;
    WorkFolder &operator=(const WorkFolder &) = delete;
    const QString &path() const { return m_path; }

private:
    QString m_path;
};

struct Outcome
{
    int status = 0;
    bool timedOut = false;
    QByteArray output;
};

void keep(QByteArray &output, const char *data, ssize_t size)
{
    output.append(data, int(size));
    if (output.size() > outputKept)
        output.remove(0, output.size() - outputKept);
}

void drain(int fd, QByteArray &output)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        keep(output, buffer, got);
}

// Starts the helper in a process group of its own, its output into a pipe and
// the shared file as descriptor 3, and waits for it until `seconds` have passed;
// then the whole group is killed. Returns false when it could not be started.
bool runHelper(const QString &helper, const QStringList &arguments, const QString &folder, int shared, int seconds,
               Outcome *outcome)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return false;
    Descriptor reading(pipeFds[0]);
    Descriptor writing(pipeFds[1]);

    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(helper));
    for (const QString &argument : arguments)
        storage.push_back(QFile::encodeName(argument));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), folder);
    environment.insert(QStringLiteral("MAGICK_TMPDIR"), folder);
    // A new process touches every page of a picture's memory for the first time;
    // in huge pages that costs a fraction (a 12-megapixel PNG decodes in half the time).
    const QString tunables = environment.value(QStringLiteral("GLIBC_TUNABLES"));
    if (!tunables.contains(QLatin1String("glibc.malloc.hugetlb"))) {
        environment.insert(QStringLiteral("GLIBC_TUNABLES"),
                           (tunables.isEmpty() ? QString() : tunables + QLatin1Char(':'))
                               + QStringLiteral("glibc.malloc.hugetlb=1"));
    }
    std::vector<QByteArray> variables;
    for (const QString &entry : environment.toStringList())
        variables.push_back(entry.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (QByteArray &variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, writing.get(), 1);
    posix_spawn_file_actions_adddup2(&actions, writing.get(), 2);
    posix_spawn_file_actions_adddup2(&actions, shared, 3);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t mask;
    sigemptyset(&mask);
    posix_spawnattr_setsigmask(&attributes, &mask);
    for (const int number : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGCHLD, SIGXCPU, SIGXFSZ, SIGSEGV, SIGABRT})
        sigaddset(&mask, number);
    posix_spawnattr_setsigdefault(&attributes, &mask);
    pid_t pid = 0;
    const int started = ::posix_spawn(&pid, argv.front(), &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    writing.reset();
    if (started != 0)
        return false;

    // The helper's end is noticed through a descriptor of its own where the
    // kernel offers one, else by looking every few milliseconds.
    Descriptor ended(int(::syscall(SYS_pidfd_open, pid, 0)));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    bool pipeOpen = true;
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) {
            outcome->timedOut = true;
            break;
        }
        pollfd watched[2] = {{pipeOpen ? reading.get() : -1, POLLIN, 0}, {ended.get(), POLLIN, 0}};
        const int wait = ended.get() >= 0 && pipeOpen ? int(left) : int(std::min<long long>(left, 10));
        if (::poll(watched, 2, wait) < 0 && errno != EINTR)
            break;
        if (watched[0].revents) {
            const ssize_t got = ::read(reading.get(), buffer, sizeof buffer);
            if (got > 0)
                keep(outcome->output, buffer, got);
            else if (got == 0 || errno != EINTR)
                pipeOpen = false;
        }
        if (watched[1].revents)
            break;
        siginfo_t info{};
        if (ended.get() < 0 && ::waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid)
            break;
    }
    // Whatever it started goes with it; its group exists until it is waited for.
    ::kill(-pid, SIGKILL);
    while (::waitpid(pid, &outcome->status, 0) < 0 && errno == EINTR) {
    }
    drain(reading.get(), outcome->output);
    return true;
}

// The last lines the helper printed, for a failure's message.
QString lastWords(const QByteArray &output)
{
    QStringList lines;
    const QList<QByteArray> all = output.split('\n');
    for (auto line = all.crbegin(); line != all.crend() && lines.size() < linesShown; ++line) {
        const QString text = QString::fromLocal8Bit(line->trimmed()).left(200);
        if (!text.isEmpty())
            lines.prepend(text);
    }
    return lines.join(QStringLiteral(" / "));
}

QString explained(const QString &message, const QByteArray &output)
{
    const QString said = lastWords(output);
    return said.isEmpty() ? message : tr("%1 (the decoder said: %2)").arg(message, said);
}

QString stopped(const QString &name, int status)
{
    const int signal = WTERMSIG(status);
    switch (signal) {
    case SIGXCPU:
        return tr("The decoder stopped on %1: it used more processor time than one picture may").arg(name);
    case SIGXFSZ:
        return tr("The decoder stopped on %1: it wrote a larger file than one picture may").arg(name);
    case SIGKILL:
        return tr("The decoder stopped on %1: it was killed (signal %2), perhaps for want of memory").arg(name).arg(signal);
    default:
        return tr("The decoder stopped on %1: it crashed (signal %2)").arg(name).arg(signal);
    }
}

} // namespace

namespace SandboxDecoder {

Result<Magick::Image> decode(const QString &path, bool allowDocuments, const DecodeSize &size)
{
    const QString name = QDir::toNativeSeparators(path);
    const QString helper = program();
    if (!QFileInfo(helper).isExecutable() || !QFileInfo(helper).isFile())
        return Failure{tr("Cannot decode %1: the decoding helper %2 is missing").arg(name, QDir::toNativeSeparators(helper))};
    const WorkFolder folder;
    const Descriptor shared(::memfd_create("kelvarine-picture", MFD_CLOEXEC));
    if (folder.path().isEmpty() || shared.get() < 0)
        return Failure{tr("Cannot decode %1: %2").arg(name, QString::fromLocal8Bit(std::strerror(errno)))};

    const long long budget = ImageLibrary::pixelBudget();
    const int seconds = timeLimit();
    QStringList arguments{QStringLiteral("--budget"), QString::number(budget),
                          QStringLiteral("--threads"),
                          QString::number(MagickLib::GetMagickResourceLimit(MagickLib::ThreadsResource)),
                          QStringLiteral("--seconds"), QString::number(seconds),
                          QStringLiteral("--parent"), QString::number(::getpid())};
    if (allowDocuments)
        arguments << QStringLiteral("--documents");
    if (!size.isWhole())
        arguments << QStringLiteral("--fit-within") << size.toArgument();
    arguments << QStringLiteral("--") << QFileInfo(path).absoluteFilePath();

    Outcome outcome;
    if (!runHelper(helper, arguments, folder.path(), shared.get(), seconds, &outcome))
        return Failure{tr("Cannot decode %1: the decoding helper %2 does not start").arg(name, QDir::toNativeSeparators(helper))};
    if (outcome.timedOut)
        return Failure{explained(tr("The decoder stopped on %1: it took longer than %2 s").arg(name).arg(seconds), outcome.output)};
    if (WIFSIGNALED(outcome.status))
        return Failure{explained(stopped(name, outcome.status), outcome.output)};

    Result<Magick::Image> received = PictureTransfer::receive(shared.get(), path, budget);
    if (WEXITSTATUS(outcome.status) == 0 && received)
        return received;
    QString failure = received ? QString() : received.error();
    if (failure.isEmpty()) {
        failure = tr("The decoder stopped on %1 without a picture (exit status %2)")
                      .arg(name)
                      .arg(WEXITSTATUS(outcome.status));
    }
    return Failure{explained(failure, outcome.output)};
}

QString program()
{
    QMutexLocker locker(&programLock);
    if (chosenProgram.isEmpty()) {
        const QString named = qEnvironmentVariable("KELVARINE_DECODER");
        chosenProgram = !named.isEmpty() ? named : helperProgram(QStringLiteral("kelvarine-decode"));
    }
    return chosenProgram;
}

void setProgram(const QString &path)
{
    QMutexLocker locker(&programLock);
    chosenProgram = path;
}

int timeLimit()
{
    if (chosenTimeLimit == 0) {
        const int given = qEnvironmentVariableIntValue("KELVARINE_DECODE_SECONDS");
        chosenTimeLimit = given > 0 ? given : defaultTimeLimit;
    }
    return chosenTimeLimit;
}

void setTimeLimit(int seconds)
{
    chosenTimeLimit = std::max(1, seconds);
}

bool decodesEverythingApart()
{
    if (apart < 0)
        apart = qEnvironmentVariableIntValue("KELVARINE_DECODE_APART") > 0 ? 1 : 0;
    return apart > 0;
}

void setDecodesEverythingApart(bool everything)
{
    apart = everything ? 1 : 0;
}

} // namespace SandboxDecoder
