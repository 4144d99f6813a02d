#include "app/ui/ShellUserInterface.h"

#include "app/ui/TPickWIndow1.h"

namespace quarry {

std::optional<int> ShellUserInterface::pickFromList(const std::string& title, const std::vector<std::string>& items,
                                                    int preselected)
{
    TPickWIndow1 window(parent_);
    int index = preselected;
    const auto itemText = [&items](int i) { return items[static_cast<std::size_t>(i)]; };
    if (!window.Pick(itemText, static_cast<int>(items.size()), title, index))
        return std::nullopt;
    return index;
}

}  // namespace quarry
