#include "SearchInput.h"

#include "editor/TCodeMemoSearch.h"

namespace quarry::hl {

SearchOptions parseSearchOptions(const std::vector<std::string>& args)
{
    SearchOptions options;
    options.flags = TCodeMemoSearch::kDirect;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--encoding") {
            const auto choice = i + 1 < args.size() ? parseEncodingChoice(args[++i]) : std::nullopt;
            if (choice)
                options.encoding = *choice;
            else
                options.error = "--encoding needs utf-8, windows-1252 or auto";
        } else if (a == "--regex")
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

void loadForSearch(LoadedFile& file, const std::string& path, bool backward, EncodingChoice encoding)
{
    file.memo = std::make_unique<TCustomCodeMemo>(file.host);
    file.memo->loadEncoding = encoding;
    file.memo->LoadFromFile(path);
    const Offset at = backward ? file.memo->Store().CharCount() : 0;
    file.memo->SetSelection(at, at);
}

}  // namespace quarry::hl
