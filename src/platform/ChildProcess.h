#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarry {

// A program started without a shell. Its standard input is the null device; its standard output
// and error arrive through pipes that the owner reads with Pump, so reading never blocks and a
// window can go on painting while the program runs. The program gets a process group of its
// own, so that Terminate and Kill also reach whatever it started (a script's compiler).
class ChildProcess final {
public:
    enum class Stream { Output, Error };
    using Sink = std::function<void(Stream stream, std::string_view bytes)>;
    // How the program ended: its exit code, or the signal that ended it.
    struct Ending {
        bool signalled = false;
        int code = 0;
        bool operator==(const Ending&) const = default;
    };
    // Enough to keep a window fed without letting one busy program starve it.
    static constexpr std::size_t kPumpBytes = 4u << 20;

    // Starts `program` (a file name with its directory) with `arguments`, argv[0] first. Null,
    // with `error` set to the system's error code, when the program could not be started.
    static std::unique_ptr<ChildProcess> Start(const std::string& program, const std::vector<std::string>& arguments,
                                               int& error);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;  // owns a process and its pipes
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Hands what the pipes hold to `sink` (at most maxBytes), waiting up to timeoutMs when
    // nothing is there yet; then notes whether the program has ended.
    void Pump(int timeoutMs, const Sink& sink, std::size_t maxBytes = kPumpBytes);
    // Whether the program still runs; an ended program is reaped here.
    bool Running();
    const std::optional<Ending>& Ended() const { return ending_; }
    // Whether a pipe is still open: the program, or something it started, may still write.
    bool OutputOpen() const { return outFd_ >= 0 || errFd_ >= 0; }
    // Asks the program and its group to end (SIGTERM), or ends them (SIGKILL).
    void Terminate();
    void Kill();
    int Pid() const { return pid_; }

private:
    ChildProcess(int pid, int outFd, int errFd);
    // Reads one pipe until it is empty, closed or the budget is spent.
    void Drain(int& fd, Stream stream, const Sink& sink, std::size_t& budget);
    void Signal(int signal);

    int pid_;
    int outFd_;
    int errFd_;
    std::optional<Ending> ending_;
};

}  // namespace quarry
