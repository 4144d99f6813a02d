#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quarry {

// The names by which auto-replace and template texts refer to keys, as in \{Return}: a sorted,
// case-insensitive list of names with their virtual-key codes.
class TKeyNameTable final {
public:
    static const TKeyNameTable& Instance();

    // The key code of a name, or -1 when the name is unknown.
    int Find(std::string_view name) const;
    const std::vector<std::pair<std::string, std::uint16_t>>& Entries() const { return entries_; }

private:
    TKeyNameTable();
    std::vector<std::pair<std::string, std::uint16_t>> entries_;  // sorted by lower-case name
};

}  // namespace quarry
