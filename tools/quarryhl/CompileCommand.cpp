// quarryhl compile SCRIPT -o FILE: compiles a highlighting script into its stored form.
#include "Command.h"
#include "HighlightInput.h"

namespace quarry::hl {
namespace {

int run(const std::vector<std::string>& args)
{
    HighlightOptions o = HighlightOptions::parse(args);
    if (o.positional.size() != 1 || !o.output)
        throw UsageError("usage: quarryhl compile SCRIPT -o FILE");
    o.script = o.positional[0];
    auto parser = loadParser(o, o.positional[0]);
    writeOutput(o, parser->parserProperty());
    return 0;
}

const RegisterCommand registration("compile", "compile SCRIPT -o FILE     compile a highlighting script",
                                   run);

}  // namespace
}  // namespace quarry::hl
