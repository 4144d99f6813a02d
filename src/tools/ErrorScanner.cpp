#include "tools/ErrorScanner.h"

#include "tools/ErrorLineReader.h"
#include "tools/StatusColours.h"
#include "tools/TextLines.h"
#include "tools/ToolTexts.h"

#include <optional>

namespace quarry {

namespace {

ErrorEntry note(std::string_view text)
{
    ErrorEntry entry;
    entry.severity = ErrorEntry::Severity::Note;
    entry.text = entry.message = entry.detail = std::string(text);
    entry.colour = statuscolour::kNavy;
    return entry;
}

}  // namespace

ErrorEntry ScanErrorLines(std::string_view text, bool forward, ErrorGrammar grammar, PathStyle style)
{
    const ErrorLineReader reader(grammar, style);
    std::optional<ErrorEntry> found;
    ForEachLine(text, forward, [&](std::string_view raw) {
        const auto line = ErrorLineReader::Prepare(raw);
        if (ErrorLineReader::IsSuccessLine(line)) {
            found = note(line);
            return false;
        }
        if (!line.empty())
            found = reader.Read(line);
        return !found;
    });
    if (found)
        return *found;
    return note(grammar == ErrorGrammar::Gcc ? tooltexts::kNoErrorFound : tooltexts::kSuccess);
}

ErrorListing ListErrors(std::string_view text, ErrorGrammar grammar, PathStyle style, std::size_t limit)
{
    const ErrorLineReader reader(grammar, style);
    ErrorListing listing;
    ForEachLine(text, true, [&](std::string_view raw) {
        const auto line = ErrorLineReader::Prepare(raw);
        if (line.empty() || ErrorLineReader::IsSuccessLine(line))
            return true;
        if (auto entry = reader.ReadForList(line)) {
            if (listing.entries.size() >= limit) {
                listing.truncated = true;
                return false;
            }
            listing.entries.push_back(std::move(*entry));
        }
        return true;
    });
    return listing;
}

}  // namespace quarry
