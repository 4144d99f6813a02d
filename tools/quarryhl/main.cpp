// quarryhl: command-line front end of the highlighting engine; also the build's and
// the benchmarks' harness, so every command is scriptable and exits non-zero on failure.
#include "Command.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace quarry::hl {

std::vector<Command>& commands()
{
    static std::vector<Command> all;
    return all;
}

RegisterCommand::RegisterCommand(std::string name, std::string usage, CommandFn run)
{
    commands().push_back({std::move(name), std::move(usage), std::move(run)});
}

}  // namespace quarry::hl

namespace {

int usage(FILE* out)
{
    auto all = quarry::hl::commands();
    std::sort(all.begin(), all.end(), [](auto& a, auto& b) { return a.name < b.name; });
    std::fputs("usage: quarryhl <command> [options]\ncommands:\n", out);
    for (const auto& c : all)
        std::fprintf(out, "  %s\n", c.usage.c_str());
    return out == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage(stderr);
    const std::string name = argv[1];
    if (name == "help" || name == "--help" || name == "-h")
        return usage(stdout);
    for (const auto& c : quarry::hl::commands()) {
        if (c.name != name)
            continue;
        try {
            return c.run(std::vector<std::string>(argv + 2, argv + argc));
        } catch (const quarry::hl::UsageError& e) {
            std::fprintf(stderr, "quarryhl %s: %s\n", name.c_str(), e.what());
            return 2;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "quarryhl %s: %s\n", name.c_str(), e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "quarryhl: unknown command '%s'\n", name.c_str());
    return usage(stderr);
}
