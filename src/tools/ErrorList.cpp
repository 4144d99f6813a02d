#include "tools/ErrorList.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace quarry {

void ErrorList::Assign(std::vector<ErrorEntry> entries, bool truncated)
{
    entries_ = std::move(entries);
    truncated_ = truncated;
    current_.reset();
}

void ErrorList::Merge(const std::vector<ErrorEntry>& more, bool truncated)
{
    std::unordered_set<std::string> known;
    for (const auto& entry : entries_)
        known.insert(entry.text);
    for (const auto& entry : more)
        if (known.insert(entry.text).second)
            entries_.push_back(entry);
    truncated_ = truncated_ || truncated;
}

std::size_t ErrorList::Count(ErrorEntry::Severity severity) const
{
    return static_cast<std::size_t>(
        std::count_if(entries_.begin(), entries_.end(), [&](const ErrorEntry& e) { return e.severity == severity; }));
}

void ErrorList::Select(std::size_t index)
{
    if (index < entries_.size())
        current_ = index;
}

std::optional<std::size_t> ErrorList::Step(int direction)
{
    const auto n = entries_.size();
    if (n == 0)
        return std::nullopt;
    // From no entry, Next starts at the first and Previous at the last.
    std::size_t at = current_ ? *current_ : (direction > 0 ? n - 1 : 0);
    for (std::size_t tried = 0; tried < n; ++tried) {
        at = (at + n + static_cast<std::size_t>(direction)) % n;
        if (entries_[at].hasLine()) {
            current_ = at;
            return at;
        }
    }
    return std::nullopt;
}

}  // namespace quarry
