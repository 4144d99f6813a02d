// quarryhl tokens [--lang NAME | --script FILE | --compiled FILE] FILE: one line per token,
// "offset length value", offsets into the text with every line end counted as one character.
#include "Command.h"
#include "HighlightInput.h"

#include "highlight/ScannedText.h"

#include <cstdio>

namespace quarry::hl {
namespace {

int run(const std::vector<std::string>& args)
{
    HighlightOptions o = HighlightOptions::parse(args);
    if (o.positional.size() != 1)
        throw UsageError("usage: quarryhl tokens [--lang NAME | --script FILE | --compiled FILE] FILE [-o OUT]");
    const std::string text = normaliseEditorText(readFile(o.positional[0]));
    auto parser = loadParser(o, o.positional[0]);
    std::string out;
    char line[64];
    scanText(*parser, text, [&](const TokenSpan& t) {
        int n = std::snprintf(line, sizeof line, "%lld %d %d\n", (long long)t.offset, t.length, t.value);
        out.append(line, size_t(n));
    });
    writeOutput(o, out);
    return 0;
}

const RegisterCommand registration("tokens", "tokens [--lang NAME|--script F|--compiled F] FILE   list tokens",
                                   [](const std::vector<std::string>& args) {
                                       try {
                                           return run(args);
                                       } catch (const UsageError& e) {
                                           std::fprintf(stderr, "quarryhl tokens: %s\n", e.what());
                                           return 2;
                                       }
                                   });

}  // namespace
}  // namespace quarry::hl
