#include "platform/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quarry {

namespace {

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Both ends close on exec; the child gets the write end through dup2 only.
bool makePipe(int (&ends)[2])
{
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return false;
    ::fcntl(ends[0], F_SETFL, ::fcntl(ends[0], F_GETFL) | O_NONBLOCK);
    return true;
}

// Signals the environment may have blocked or ignored are the child's own again.
void resetSignals(posix_spawnattr_t& attr)
{
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int s : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGCHLD, SIGALRM, SIGUSR1, SIGUSR2})
        sigaddset(&defaults, s);
    posix_spawnattr_setsigdefault(&attr, &defaults);
}

}  // namespace

ChildProcess::ChildProcess(int pid, int outFd, int errFd) : pid_(pid), outFd_(outFd), errFd_(errFd) {}

ChildProcess::~ChildProcess()
{
    closeFd(outFd_);
    closeFd(errFd_);
    Running();
}

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::string& program,
                                                  const std::vector<std::string>& arguments, int& error)
{
    error = 0;
    int out[2], err[2];
    if (!makePipe(out)) {
        error = errno;
        return nullptr;
    }
    if (!makePipe(err)) {
        error = errno;
        ::close(out[0]);
        ::close(out[1]);
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);  // no handle of ours is inherited
#endif
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attr, 0);
    resetSignals(attr);

    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    if (argv.empty())
        argv.push_back(const_cast<char*>(program.c_str()));
    argv.push_back(nullptr);

    pid_t pid = -1;
    error = ::posix_spawn(&pid, program.c_str(), &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    ::close(out[1]);
    ::close(err[1]);
    if (error != 0) {
        ::close(out[0]);
        ::close(err[0]);
        return nullptr;
    }
    return std::unique_ptr<ChildProcess>(new ChildProcess(pid, out[0], err[0]));
}

void ChildProcess::Drain(int& fd, Stream stream, const Sink& sink, std::size_t& budget)
{
    char buffer[64 * 1024];
    while (fd >= 0 && budget > 0) {
        const auto n = ::read(fd, buffer, std::min(sizeof buffer, budget));
        if (n > 0) {
            budget -= static_cast<std::size_t>(n);
            sink(stream, std::string_view(buffer, static_cast<std::size_t>(n)));
        } else if (n == 0) {
            closeFd(fd);
        } else if (errno == EINTR) {
            continue;
        } else {
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                closeFd(fd);
            return;
        }
    }
}

void ChildProcess::Pump(int timeoutMs, const Sink& sink, std::size_t maxBytes)
{
    pollfd fds[2];
    nfds_t count = 0;
    for (int fd : {outFd_, errFd_})
        if (fd >= 0)
            fds[count++] = {fd, POLLIN, 0};
    // With both pipes closed there is only the end to wait for; a short nap keeps this from
    // spinning, the caller's loop asks again.
    int wait = timeoutMs;
    if (count == 0)
        wait = ending_ ? 0 : std::min(timeoutMs, 10);
    while (::poll(count ? fds : nullptr, count, wait) < 0 && errno == EINTR) {
    }
    std::size_t budget = maxBytes;
    Drain(outFd_, Stream::Output, sink, budget);
    Drain(errFd_, Stream::Error, sink, budget);
    Running();
}

bool ChildProcess::Running()
{
    if (ending_)
        return false;
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == 0)
        return true;
    if (done == pid_) {
        ending_ = WIFSIGNALED(status) ? Ending{true, WTERMSIG(status)} : Ending{false, WEXITSTATUS(status)};
    } else {
        ending_ = Ending{false, -1};  // reaped elsewhere: the code is lost, the program is gone
    }
    return false;
}

// The group outlives its leader while something the program started still runs; its number is
// not given to another process meanwhile.
void ChildProcess::Signal(int signal)
{
    if (::kill(-pid_, signal) != 0 && Running())
        ::kill(pid_, signal);
}

void ChildProcess::Terminate() { Signal(SIGTERM); }

void ChildProcess::Kill() { Signal(SIGKILL); }

}  // namespace quarry
