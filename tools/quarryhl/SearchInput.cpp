#include "SearchInput.h"

#include "editor/TCodeMemoSearch.h"

namespace quarry::hl {

SearchOptions parseSearchOptions(const std::vector<std::string>& args)
{
    SearchOptions options;
    options.flags = TCodeMemoSearch::kDirect;
    for (const auto& a : args) {
        if (a == "--regex")
            options.flags |= TCodeMemoSearch::kRegExpr;
        else if (a == "--case")
            options.flags |= TCodeMemoSearch::kMatchCase;
        else if (a == "--word")
            options.flags |= TCodeMemoSearch::kWholeWords;
        else if (a == "--back")
            options.flags |= TCodeMemoSearch::kBackward;
        else if (a.size() > 2 && a.rfind("--", 0) == 0)
            options.error = "unknown option " + a;
        else
            options.operands.push_back(a);
    }
    return options;
}

void loadForSearch(LoadedFile& file, const std::string& path, bool backward)
{
    file.memo = std::make_unique<TCustomCodeMemo>(file.host);
    file.memo->LoadFromFile(path);
    const Offset at = backward ? file.memo->Store().CharCount() : 0;
    file.memo->SetSelection(at, at);
}

}  // namespace quarry::hl
