#include "app/PickTypeAhead.h"

#include "platform/Text.h"

namespace quarry {

PickTypeAhead::PickTypeAhead(std::vector<std::string> items)
{
    for (const auto& item : items)
        keys_.push_back(text::ansiUpperCase(text::trim(item)));
}

int PickTypeAhead::FirstStartingWith(const std::string& prefix) const
{
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i].starts_with(prefix))
            return static_cast<int>(i);
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
