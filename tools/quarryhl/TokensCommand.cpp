// quarryhl tokens [--lang NAME | --script FILE | --compiled FILE] FILE: one line per token,
// "offset length value", offsets into the text with every line end counted as one character.
#include "Command.h"
#include "HighlightInput.h"
#include "TokenListWriter.h"

#include "highlight/ScannedText.h"

namespace quarry::hl {
namespace {

int run(const std::vector<std::string>& args)
{
    HighlightOptions o = HighlightOptions::parse(args);
    if (o.positional.size() != 1)
        throw UsageError("usage: quarryhl tokens [--lang NAME | --script FILE | --compiled FILE] [--encoding E] FILE [-o OUT]");
    std::string text = readFile(o.positional[0]);
    const TextEncoding encoding = takeEncoding(o, text);
    normaliseEditorTextInPlace(text);
    auto parser = loadParser(o, o.positional[0]);
    parser->SetUtf8Letters(encoding == TextEncoding::Utf8);
    OutputSink out(o);
    TokenListWriter list(out.stream());
    scanText(*parser, text, [&](const TokenSpan& t) { list.add(t.offset, t.length, t.value); });
    list.flush();
    out.finish();
    return 0;
}

const RegisterCommand registration("tokens", "tokens [--lang NAME|--script F|--compiled F] [--encoding E] FILE   list tokens",
                                   run);

}  // namespace
}  // namespace quarry::hl
