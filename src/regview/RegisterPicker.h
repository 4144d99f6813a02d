#pragma once
#include <functional>
#include <string>

namespace quarry {

// The pick window as the register viewer uses it: a list whose item texts come from a callback.
// `index` is the entry selected at first (in) and the one chosen (out); the result says whether
// the user chose one (OK, Enter, double click) rather than cancelled (Esc).
class RegisterPicker {
public:
    using ItemText = std::function<std::string(int index)>;

    virtual ~RegisterPicker() = default;
    virtual bool Pick(const ItemText& itemText, int count, const std::string& caption, int& index) = 0;
};

}  // namespace quarry
