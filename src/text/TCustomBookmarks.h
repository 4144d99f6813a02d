#pragma once
#include <string>
#include <vector>

#include "text/EditorTypes.h"

namespace quarry {

// Named bookmarks: a name and a character position, kept sorted by position. They move with
// the text; one whose character is deleted is removed (the store reports its name).
class TCustomBookmarks final {
public:
    struct Entry {
        std::string name;
        Offset position = 0;
        bool operator==(const Entry&) const = default;
    };

    // Sets a bookmark; a bookmark of the same name is moved.
    void Add(const std::string& name, Offset position);
    bool Remove(const std::string& name);
    bool Find(const std::string& name, Offset& position) const;
    const std::vector<Entry>& Entries() const { return entries_; }
    void Clear() { entries_.clear(); }

    // Text was inserted: bookmarks at or after `at` move by count.
    void Inserted(Offset at, std::int32_t count);
    // [start, end) was deleted: bookmarks inside go (their names are appended to `removed`),
    // those at or after end move back.
    void Deleted(Offset start, Offset end, std::vector<std::string>& removed);

private:
    std::vector<Entry> entries_;  // sorted by position
};

}  // namespace quarry
