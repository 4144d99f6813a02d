#include "editorwin/SearchHistory.h"

#include "platform/PersistentEditorStore.h"
#include "platform/Text.h"

#include <algorithm>

namespace quarry {

void SearchHistory::load(const PersistentEditorStore& store, std::string_view section)
{
    entries_.clear();
    for (const auto& line : store.List(section)) {
        auto entry = text::cut(line, kMaxText);
        if (!entry.empty() && std::find(entries_.begin(), entries_.end(), entry) == entries_.end())
            entries_.push_back(std::move(entry));
    }
}

void SearchHistory::store(PersistentEditorStore& store, std::string_view section) const
{
    store.SetList(section, entries_);
}

std::size_t SearchHistory::remember(std::string_view text)
{
    const auto entry = text::cut(text, kMaxText);
    if (entry.empty())
        return 0;
    const auto found = std::find(entries_.begin(), entries_.end(), entry);
    if (found != entries_.end())
        return static_cast<std::size_t>(found - entries_.begin());
    entries_.insert(entries_.begin(), entry);
    return 0;
}

}  // namespace quarry
