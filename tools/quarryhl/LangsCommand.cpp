// quarryhl langs: the built-in languages, one per line: component, language name, script.
#include "Command.h"
#include "HighlightInput.h"

#include "highlight/BuiltinLanguages.h"

#include <cstdio>
#include <filesystem>

namespace quarry::hl {
namespace {

int run(const std::vector<std::string>& args)
{
    HighlightOptions o = HighlightOptions::parse(args);
    if (!o.positional.empty())
        throw UsageError("usage: quarryhl langs [--data DIR]");
    const std::filesystem::path dir = std::filesystem::path(dataDirectory(o)) / "highlight";
    std::string out;
    for (const BuiltinLanguage& l : builtinLanguages()) {
        const bool present = std::filesystem::exists(dir / l.script);
        out += std::string(l.component) + "\t" + l.language + "\t" + l.script + (present ? "" : "\t(missing)") + "\n";
    }
    writeOutput(o, out);
    return 0;
}

const RegisterCommand registration("langs", "langs                      list the built-in languages", run);

}  // namespace
}  // namespace quarry::hl
