#include "app/ReopenList.h"

#include "platform/PersistentEditorStore.h"
#include "platform/PathStyle.h"
#include "platform/Text.h"

#include <algorithm>

namespace quarry {

std::vector<std::string> ReopenList::Entries() const
{
    if (!store_)
        return {};
    std::vector<std::string> out;
    for (const auto& line : store_->List(PersistentEditorStore::kMRU)) {
        const auto name = text::trim(line);
        if (!name.empty())
            out.push_back(name);
    }
    return out;
}

void ReopenList::Add(const std::string& name)
{
    if (!store_)
        return;
    const auto entry = text::trim(name);
    if (entry.empty())
        return;
    auto entries = Entries();
    const auto style = PathStyle::native();
    const bool present =
        std::any_of(entries.begin(), entries.end(), [&](const std::string& e) { return style.sameName(e, entry); });
    if (!present)
        entries.insert(entries.begin(), entry);
    if (entries.size() > kMaxEntries)
        entries.resize(kMaxEntries);
    store_->SetList(PersistentEditorStore::kMRU, entries);
}

void ReopenList::Remove(const std::string& name)
{
    if (!store_)
        return;
    const auto entry = text::trim(name);
    auto entries = Entries();
    const auto style = PathStyle::native();
    std::erase_if(entries, [&](const std::string& e) { return style.sameName(e, entry); });
    store_->SetList(PersistentEditorStore::kMRU, entries);
}

}  // namespace quarry
