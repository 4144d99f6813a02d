// quarryhl rtf [--lang NAME | --script FILE | --compiled FILE] FILE [-o OUT]: the whole file
// highlighted and written as RTF.
#include "Command.h"
#include "HighlightInput.h"

#include "highlight/RtfWriter.h"
#include "highlight/ScannedText.h"

#include <cstdio>
#include <filesystem>

namespace quarry::hl {
namespace {

int run(const std::vector<std::string>& args)
{
    HighlightOptions o = HighlightOptions::parse(args);
    if (o.positional.size() != 1)
        throw UsageError("usage: quarryhl rtf [--lang NAME | --script FILE | --compiled FILE] FILE [-o OUT]");
    std::string text = readFile(o.positional[0]);
    normaliseEditorTextInPlace(text);
    auto parser = loadParser(o, o.positional[0]);
    const std::vector<uint8_t> styles = scanStyles(*parser, text);
    ExportStyle style = ExportStyle::from(parser->settings());
    style.title = o.title ? *o.title : std::filesystem::path(o.positional[0]).filename().string();
    style.date = o.date ? *o.date : currentDateText();
    BufferLineSource lines(text, &styles);
    OutputSink out(o);
    RtfWriter::write(out.stream(), lines, style);
    out.finish();
    return 0;
}

const RegisterCommand registration("rtf", "rtf [--lang NAME|--script F|--compiled F] FILE [-o OUT]   export as RTF",
                                   [](const std::vector<std::string>& args) {
                                       try {
                                           return run(args);
                                       } catch (const UsageError& e) {
                                           std::fprintf(stderr, "quarryhl rtf: %s\n", e.what());
                                           return 2;
                                       }
                                   });

}  // namespace
}  // namespace quarry::hl
