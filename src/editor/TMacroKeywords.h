#pragma once
// A list of named texts, each with a description, looked up by exact name or by the prefix a
// user has typed. Names are kept lower-cased when the list is case-insensitive, so lookups fold
// the same way the list was built.
//
// invariant: entries_ is sorted by name and holds each name once.
#include <string>
#include <string_view>
#include <vector>

namespace quarry {

struct TMacroEntry {
    std::string name;
    std::string description;
    std::string text;
    bool operator==(const TMacroEntry&) const = default;
};

class TMacroKeywords {
public:
    explicit TMacroKeywords(bool caseSensitive = false) : caseSensitive_(caseSensitive) {}
    virtual ~TMacroKeywords() = default;

    bool CaseSensitive() const { return caseSensitive_; }
    // Changing the case rule folds the names already held (later duplicates are dropped).
    void SetCaseSensitive(bool caseSensitive);

    // An entry with the same name is replaced.
    void Add(std::string name, std::string description, std::string text);
    void Clear() { entries_.clear(); }
    std::size_t Count() const { return entries_.size(); }
    const std::vector<TMacroEntry>& Entries() const { return entries_; }

    const TMacroEntry* Find(std::string_view name) const;
    // Every entry whose name begins with the prefix, in name order; all of them for "".
    std::vector<const TMacroEntry*> WithPrefix(std::string_view prefix) const;

    // The name as the list keeps it.
    std::string Fold(std::string_view name) const;

private:
    bool caseSensitive_;
    std::vector<TMacroEntry> entries_;
};

}  // namespace quarry
