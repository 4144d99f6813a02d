// quarryhl replace: replaces every match in a file and writes the result to standard output
// (line ends as LF); the number of replacements goes to standard error. With --regex the
// replacement is a template: %n sub-match n, %% a percent sign, \n a line end, \t a TAB, ...
#include "Command.h"
#include "SearchInput.h"

#include "editor/TCodeMemoSearch.h"
#include "regex/EREParser.h"

#include <cstdio>

namespace quarry::hl {
namespace {

int replaceCommand(const std::vector<std::string>& args)
{
    const SearchOptions options = parseSearchOptions(args);
    if (!options.error.empty() || options.operands.size() != 3) {
        std::fprintf(stderr, "quarryhl replace: %s\n",
                     options.error.empty() ? "expected PATTERN REPLACEMENT FILE" : options.error.c_str());
        return 2;
    }
    LoadedFile file;
    loadForSearch(file, options.operands[2], (options.flags & TCodeMemoSearch::kBackward) != 0);
    TCodeMemoSearch search(*file.memo);
    search.OnSearchFail = [](TCustomCodeMemo&, const std::string&) {};
    int count = 0;
    try {
        count = search.ReplaceAll(options.operands[0], options.operands[1], options.flags);
    } catch (const EREParser& e) {
        std::fprintf(stderr, "quarryhl replace: %s (at %d in the expression)\n", e.what(), e.position());
        return 2;
    }
    std::string text = file.memo->Text();
    for (char& c : text)
        if (c == '\r')
            c = '\n';
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
        std::fprintf(stderr, "quarryhl replace: cannot write the result\n");
        return 1;
    }
    std::fflush(stdout);
    std::fprintf(stderr, "%d replacements\n", count);
    return 0;
}

const RegisterCommand registered("replace",
    "replace [--regex] [--case] [--word] [--back] PATTERN REPLACEMENT FILE   write the text with every match replaced",
    replaceCommand);

}  // namespace
}  // namespace quarry::hl
