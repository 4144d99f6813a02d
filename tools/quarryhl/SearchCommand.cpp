// quarryhl search: every match of a text or regular expression in a file, as "offset length"
// lines, in the order a user pressing "find next" would meet them. Exit status 1: no match.
#include "Command.h"
#include "SearchInput.h"

#include "editor/TCodeMemoSearch.h"
#include "regex/EREParser.h"

#include <cstdio>

namespace quarry::hl {
namespace {

int searchCommand(const std::vector<std::string>& args)
{
    const SearchOptions options = parseSearchOptions(args);
    if (!options.error.empty() || options.operands.size() != 2) {
        std::fprintf(stderr, "quarryhl search: %s\n",
                     options.error.empty() ? "expected PATTERN FILE" : options.error.c_str());
        return 2;
    }
    const std::string& pattern = options.operands[0];
    LoadedFile file;
    loadForSearch(file, options.operands[1], (options.flags & TCodeMemoSearch::kBackward) != 0);
    TCodeMemoSearch search(*file.memo);
    search.OnSearchFail = [](TCustomCodeMemo&, const std::string&) {};
    int found = 0;
    try {
        while (search.Search(options.flags, pattern) >= 0) {
            ++found;
            std::printf("%d %d\n", file.memo->SelStart(), file.memo->SelLength());
        }
    } catch (const EREParser& e) {
        std::fprintf(stderr, "quarryhl search: %s (at %d in the expression)\n", e.what(), e.position());
        return 2;
    }
    return found > 0 ? 0 : 1;
}

const RegisterCommand registered("search",
    "search [--regex] [--case] [--word] [--back] PATTERN FILE   print each match as \"offset length\"",
    searchCommand);

}  // namespace
}  // namespace quarry::hl
