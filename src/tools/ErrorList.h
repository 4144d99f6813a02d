#pragma once
#include "tools/ErrorEntry.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace quarry {

// The errors, warnings and notes of the last compiler run, and the entry the user is at. Next
// and Previous walk the entries that name a line, going round at either end.
class ErrorList final {
public:
    // Replaces the list; no entry is current.
    void Assign(std::vector<ErrorEntry> entries, bool truncated = false);
    // Adds entries whose line text the list does not hold yet (captured output repeating the
    // error file).
    void Merge(const std::vector<ErrorEntry>& more, bool truncated = false);

    const std::vector<ErrorEntry>& Entries() const { return entries_; }
    bool Truncated() const { return truncated_; }
    std::size_t Count(ErrorEntry::Severity severity) const;

    std::optional<std::size_t> Current() const { return current_; }
    void Select(std::size_t index);
    std::optional<std::size_t> Next() { return Step(+1); }
    std::optional<std::size_t> Previous() { return Step(-1); }

private:
    std::optional<std::size_t> Step(int direction);

    std::vector<ErrorEntry> entries_;
    bool truncated_ = false;
    std::optional<std::size_t> current_;
};

}  // namespace quarry
