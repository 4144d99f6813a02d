#include "text/TCustomBookmarks.h"

#include <algorithm>

namespace quarry {

void TCustomBookmarks::Add(const std::string& name, Offset position) {
    Remove(name);
    const auto at = std::upper_bound(entries_.begin(), entries_.end(), position,
                                     [](Offset p, const Entry& e) { return p < e.position; });
    entries_.insert(at, Entry{name, position});
}

bool TCustomBookmarks::Remove(const std::string& name) {
    const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == name; });
    if (it == entries_.end()) return false;
    entries_.erase(it);
    return true;
}

bool TCustomBookmarks::Find(const std::string& name, Offset& position) const {
    for (const Entry& e : entries_)
        if (e.name == name) {
            position = e.position;
            return true;
        }
    return false;
}

void TCustomBookmarks::Inserted(Offset at, std::int32_t count) {
    for (Entry& e : entries_)
        if (e.position >= at) e.position += count;
}

void TCustomBookmarks::Deleted(Offset start, Offset end, std::vector<std::string>& removed) {
    const std::int32_t count = end - start;
    std::vector<Entry> kept;
    kept.reserve(entries_.size());
    for (Entry& e : entries_) {
        if (e.position >= start && e.position < end) {
            removed.push_back(std::move(e.name));
            continue;
        }
        if (e.position >= end) e.position -= count;
        kept.push_back(std::move(e));
    }
    entries_ = std::move(kept);
}

}  // namespace quarry
