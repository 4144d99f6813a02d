#pragma once
#include <functional>
#include <string>
#include <vector>

namespace quarry {

// Type-ahead of the pick window: each typed character narrows the selection to the first item
// whose trimmed, upper-cased text starts with the characters typed so far; a character that
// matches nothing together with them starts the search again on its own.
class PickTypeAhead final {
public:
    using ItemText = std::function<std::string(int index)>;

    explicit PickTypeAhead(std::vector<std::string> items);
    // Items are read through the callback as the search passes them, so a long list costs
    // nothing until a key is typed.
    PickTypeAhead(ItemText itemText, int count);

    // The item now selected, or -1 when nothing matches even the new character alone (the
    // typed text is then empty).
    int Type(char c);
    // The characters the selection stands on (shown beside the list).
    const std::string& Typed() const { return typed_; }
    void Reset() { typed_.clear(); }

private:
    int FirstStartingWith(const std::string& prefix) const;

    ItemText itemText_;
    int count_ = 0;
    std::string typed_;
};

}  // namespace quarry
