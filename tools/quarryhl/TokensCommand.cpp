// quarryhl tokens [--lang NAME | --script FILE | --compiled FILE] FILE: one line per token,
// "offset length value", offsets into the text with every line end counted as one character.
#include "Command.h"
#include "HighlightInput.h"

#include "highlight/ScannedText.h"


namespace quarry::hl {
namespace {

int run(const std::vector<std::string>& args)
{
    HighlightOptions o = HighlightOptions::parse(args);
    if (o.positional.size() != 1)
        throw UsageError("usage: quarryhl tokens [--lang NAME | --script FILE | --compiled FILE] FILE [-o OUT]");
    std::string text = readFile(o.positional[0]);
    normaliseEditorTextInPlace(text);
    auto parser = loadParser(o, o.positional[0]);
    OutputSink out(o);
    std::string block;
    block.reserve(1 << 17);
    char digits[24];
    auto number = [&](long long v) {
        char* end = digits + sizeof digits;
        char* p = end;
        do {
            *--p = char('0' + v % 10);
            v /= 10;
        } while (v);
        block.append(p, size_t(end - p));
    };
    scanText(*parser, text, [&](const TokenSpan& t) {
        number(t.offset);
        block += ' ';
        number(t.length);
        block += ' ';
        number(t.value);
        block += '\n';
        if (block.size() >= (1 << 16)) {
            out.stream().write(block.data(), std::streamsize(block.size()));
            block.clear();
        }
    });
    out.stream().write(block.data(), std::streamsize(block.size()));
    out.finish();
    return 0;
}

const RegisterCommand registration("tokens", "tokens [--lang NAME|--script F|--compiled F] FILE   list tokens",
                                   run);

}  // namespace
}  // namespace quarry::hl
