#include "text/TPositionMarkList.h"

#include <algorithm>

namespace quarry {

namespace {
auto Lower(std::vector<TPositionMarkList::Entry>& entries, Offset position) {
    return std::lower_bound(entries.begin(), entries.end(), position,
                            [](const TPositionMarkList::Entry& e, Offset p) { return e.position < p; });
}
}  // namespace

void TPositionMarkList::Add(Offset position, std::int32_t state, std::int32_t data) {
    auto it = Lower(entries_, position);
    if (it != entries_.end() && it->position == position) {
        it->state = state;
        it->data = data;
        return;
    }
    entries_.insert(it, Entry{position, state, data});
}

bool TPositionMarkList::Remove(Offset position) {
    auto it = Lower(entries_, position);
    if (it == entries_.end() || it->position != position) return false;
    const Entry gone = *it;
    entries_.erase(it);
    if (OnFree) OnFree(gone);
    return true;
}

const TPositionMarkList::Entry* TPositionMarkList::Find(Offset position) const {
    for (const Entry& e : entries_)
        if (e.position == position) return &e;
    return nullptr;
}

bool TPositionMarkList::SetState(Offset position, std::int32_t state) {
    auto it = Lower(entries_, position);
    if (it == entries_.end() || it->position != position) return false;
    it->state = state;
    if (OnStateChange) OnStateChange(*it);
    return true;
}

void TPositionMarkList::Clear() {
    std::vector<Entry> gone;
    gone.swap(entries_);
    if (OnFree)
        for (const Entry& e : gone) OnFree(e);
}

void TPositionMarkList::Shift(Offset position, std::int32_t count) {
    if (count >= 0) {
        for (Entry& e : entries_)
            if (e.position >= position) e.position += count;
        return;
    }
    const Offset end = position - count;
    std::vector<Entry> kept;
    std::vector<Entry> gone;
    for (Entry e : entries_) {
        if (e.position >= position && e.position < end) {
            gone.push_back(e);
            continue;
        }
        if (e.position >= end) e.position += count;
        kept.push_back(e);
    }
    entries_ = std::move(kept);
    if (OnFree)
        for (const Entry& e : gone) OnFree(e);
}

}  // namespace quarry
