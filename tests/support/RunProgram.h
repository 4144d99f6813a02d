#pragma once
// Runs one of our command-line programs as a script would and collects what it prints.
#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace quarry::test {

struct ToolRun {
    int status;
    std::string out;
};

// The arguments are already quoted for the shell; `redirect` says where standard error goes.
inline ToolRun runProgram(const std::string& program, const std::string& args, const std::string& redirect)
{
    const std::string command = "'" + program + "' " + args + " " + redirect;
    FILE* pipe = popen(command.c_str(), "r");
    ToolRun run{-1, {}};
    if (!pipe)
        return run;
    std::array<char, 65536> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace quarry::test
