#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quarry {

class PersistentEditorStore;

// A history of search (or replacement) texts as its combo box shows it: newest first, each text
// once, kept between sessions in a section of "quarry.dat" that holds at most 20 of them.
class SearchHistory final {
public:
    static constexpr const char* kFindSection = "FindHistory";
    static constexpr const char* kReplaceSection = "ReplaceHistory";
    static constexpr std::size_t kMaxStored = 20;
    static constexpr std::size_t kMaxText = 255;

    // Replaces the entries by the section's lines (blank ones are no search text).
    void load(const PersistentEditorStore& store, std::string_view section);
    // Writes the first kMaxStored entries, so the oldest fall out.
    void store(PersistentEditorStore& store, std::string_view section) const;

    // Puts a text (cut to kMaxText) at the top unless it is listed already; an empty text is
    // not remembered. Returns the text's index.
    std::size_t remember(std::string_view text);
    const std::vector<std::string>& entries() const { return entries_; }

private:
    std::vector<std::string> entries_;  // newest first; no text twice, none empty
};

}  // namespace quarry
