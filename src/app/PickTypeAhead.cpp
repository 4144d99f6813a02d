#include "app/PickTypeAhead.h"

#include "platform/Text.h"

namespace quarry {

PickTypeAhead::PickTypeAhead(std::vector<std::string> items) : count_(static_cast<int>(items.size()))
{
    itemText_ = [items = std::move(items)](int i) { return items[static_cast<std::size_t>(i)]; };
}

PickTypeAhead::PickTypeAhead(ItemText itemText, int count) : itemText_(std::move(itemText)), count_(count) {}

int PickTypeAhead::FirstStartingWith(const std::string& prefix) const
{
    for (int i = 0; i < count_; ++i)
        if (text::ansiUpperCase(text::trim(itemText_(i))).starts_with(prefix))
            return i;
    return -1;
}

int PickTypeAhead::Type(char c)
{
    const std::string key(1, text::ansiUpper(c));
    if (!typed_.empty()) {
        const int narrowed = FirstStartingWith(typed_ + key);
        if (narrowed >= 0) {
            typed_ += key;
            return narrowed;
        }
    }
    const int alone = FirstStartingWith(key);
    typed_ = alone >= 0 ? key : std::string();
    return alone;
}

}  // namespace quarry
