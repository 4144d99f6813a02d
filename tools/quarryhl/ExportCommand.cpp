#include "ExportCommand.h"

#include "HighlightInput.h"

#include "export/BufferLineSource.h"
#include "highlight/ScannedText.h"

#include <filesystem>

namespace quarry::hl {

int runExport(const std::vector<std::string>& args, const std::string& name, ExportWriter write)
{
    HighlightOptions o = HighlightOptions::parse(args);
    if (o.positional.size() != 1)
        throw UsageError("usage: quarryhl " + name + " [--lang NAME | --script FILE | --compiled FILE] FILE [-o OUT]");
    std::string text = readFile(o.positional[0]);
    normaliseEditorTextInPlace(text);
    auto parser = loadParser(o, o.positional[0]);
    const std::vector<uint8_t> styles = scanStyles(*parser, text);
    ExportStyle style = ExportStyle::from(parser->settings());
    style.title = o.title ? *o.title : std::filesystem::path(o.positional[0]).filename().string();
    style.date = o.date ? *o.date : currentDateText();
    BufferLineSource lines(text, &styles);
    OutputSink out(o);
    write(out.stream(), lines, style);
    out.finish();
    return 0;
}

}  // namespace quarry::hl
