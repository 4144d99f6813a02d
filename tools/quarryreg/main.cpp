// quarryreg: the register viewer for scripts and tests. Lists description files, shows one as
// read, composes a register's line of code exactly as the register window writes it, and
// imports device descriptions into description files.
#include "RegCommand.h"

#include "regview/RegisterLibrary.h"

#include <cstdio>
#include <exception>

namespace quarry::reg {

namespace {

const char kUsage[] =
    "usage: quarryreg <command> ...\n"
    "  list DIR                              the register files (*.reg) of DIR and their titles\n"
    "  show FILE                             registers, bit fields and value lines as read\n"
    "  compose FILE REGISTER FIELD=VALUE...  the line of code the register window writes\n"
    "  import-svd FILE.svd [--peripheral NAME]... -o DIR\n"
    "                                        a register file per peripheral of a CMSIS-SVD\n"
    "                                        device description (all when none is named)\n"
    "REGISTER is an address (8 hexadecimal digits) or a register name; FIELD is a field's bits\n"
    "as the window shows them (07-04, 03); VALUE is hexadecimal, 0x optional.\n"
    "Exit status: 0 done, 1 refused or unusable input, 2 wrong usage.\n";

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>& args);
};

const Command kCommands[] = {{"list", listCommand},
                             {"show", showCommand},
                             {"compose", composeCommand},
                             {"import-svd", importSvdCommand}};

}  // namespace

RegisterDescription loadDescription(const std::string& path)
{
    const auto bytes = RegisterDirectory::ReadFile(path);
    if (!bytes)
        throw Refused("cannot read " + path);
    return RegisterDescription::Parse(*bytes);
}

void printWarnings(const std::string& path, const RegisterDescription& description, int registerIndex)
{
    std::fflush(stdout);  // after what was printed, also where both go to one pipe
    for (const auto& warning : description.warnings)
        if (registerIndex == -2 || warning.registerIndex == registerIndex)
            std::fprintf(stderr, "%s:%d: warning: %s\n", path.c_str(), warning.line, warning.text.c_str());
}

}  // namespace quarry::reg

int main(int argc, char** argv)
{
    using namespace quarry::reg;
    const std::string name = argc > 1 ? argv[1] : "";
    if (name == "help" || name == "--help" || name == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    for (const auto& command : kCommands) {
        if (name != command.name)
            continue;
        try {
            return command.run(std::vector<std::string>(argv + 2, argv + argc));
        } catch (const UsageError& e) {
            std::fprintf(stderr, "quarryreg %s: %s\n%s", command.name, e.what(), kUsage);
            return 2;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "quarryreg %s: %s\n", command.name, e.what());
            return 1;
        }
    }
    if (!name.empty())
        std::fprintf(stderr, "quarryreg: unknown command '%s'\n", name.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}
