// quarryreg import-svd FILE.svd [--peripheral NAME]... -o DIR: writes a register file per
// peripheral of a device description (all of them when none is named) and prints one line per
// file written; warnings go to standard error as "FILE:LINE: warning: TEXT".
#include "RegCommand.h"

#include "platform/FileFacts.h"
#include "platform/SystemMessage.h"
#include "platform/Text.h"
#include "regview/RegisterLibrary.h"
#include "regview/SvdImport.h"

#include <cstdio>

namespace quarry::reg {

namespace {

struct ImportArguments {
    std::string file;
    std::string directory;
    std::vector<std::string> peripherals;
};

ImportArguments parseArguments(const std::vector<std::string>& args)
{
    ImportArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "-o" && hasValue)
            parsed.directory = args[++i];
        else if (args[i] == "--peripheral" && hasValue)
            parsed.peripherals.push_back(args[++i]);
        else if (parsed.file.empty() && !args[i].starts_with("-"))
            parsed.file = args[i];
        else
            throw UsageError("'" + args[i] + "' is not understood");
    }
    if (parsed.file.empty() || parsed.directory.empty())
        throw UsageError("import-svd takes a device description and -o DIR");
    return parsed;
}

void printSvdWarnings(const std::string& path, const std::vector<SvdWarning>& warnings)
{
    std::fflush(stdout);  // after what was printed, also where both go to one pipe
    for (const auto& warning : warnings)
        std::fprintf(stderr, "%s:%d: warning: %s\n", path.c_str(), warning.line, warning.text.c_str());
}

std::vector<std::size_t> chosenPeripherals(const SvdImport& import, const ImportArguments& args)
{
    const auto& entries = import.Peripherals();
    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; args.peripherals.empty() && i < entries.size(); ++i)
        chosen.push_back(i);
    for (const auto& wanted : args.peripherals) {
        std::size_t i = 0;
        while (i < entries.size() && !text::equalsIgnoreCase(entries[i].name, wanted))
            ++i;
        if (i == entries.size()) {
            std::string known;
            for (const auto& entry : entries)
                known += " " + entry.name;
            throw Refused("no peripheral " + wanted + " in " + args.file + "; its peripherals are" + known);
        }
        chosen.push_back(i);
    }
    return chosen;
}

}  // namespace

int importSvdCommand(const std::vector<std::string>& raw)
{
    const auto args = parseArguments(raw);
    if (!files::directoryExists(args.directory))
        throw Refused("no directory " + args.directory);
    auto bytes = RegisterDirectory::ReadFile(args.file);
    if (!bytes)
        throw Refused("cannot read " + args.file);
    SvdImport import;
    if (!import.Open(std::move(*bytes)))
        throw Refused(args.file + ": " + import.Error());
    printSvdWarnings(args.file, import.DeviceWarnings());
    int status = 0;
    for (const auto& file : import.WriteFiles(chosenPeripherals(import, args), args.directory, {})) {
        if (file.error) {
            std::fprintf(stderr, "quarryreg import-svd: cannot write %s: %s\n", file.path.c_str(),
                         systemMessage(file.error).c_str());
            status = 1;
        } else {
            std::printf("%s\t%d registers\n", file.path.c_str(), file.registers);
        }
        printSvdWarnings(args.file, file.warnings);
    }
    return status;
}

}  // namespace quarry::reg
