#include "app/WindowList.h"

#include "platform/Text.h"

#include <algorithm>

namespace quarry {

WindowList::WindowList(const std::vector<std::string>& fileNames)
{
    for (const auto& name : fileNames)
        entries_.push_back(text::trim(name));
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const std::string& a, const std::string& b) { return text::compareIgnoreCase(a, b) < 0; });
}

bool WindowList::SameEntry(const std::string& a, const std::string& b)
{
    return text::ansiUpperCase(text::trim(a)) == text::ansiUpperCase(text::trim(b));
}

std::vector<WindowList::Item> WindowList::MenuItems(const std::string& activeCaption) const
{
    std::vector<Item> items(kMenuItems);
    for (std::size_t k = 0; k < items.size() && k < entries_.size(); ++k) {
        items[k].visible = true;
        items[k].caption = "&" + std::to_string(k + 1) + " " + entries_[k];
        items[k].checked = !activeCaption.empty() && SameEntry(entries_[k], activeCaption);
    }
    return items;
}

int WindowList::IndexOf(const std::string& caption) const
{
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (SameEntry(entries_[i], caption))
            return static_cast<int>(i);
    return -1;
}

}  // namespace quarry
