#include "editorsettings/TKeyNameTable.h"

#include <algorithm>
#include <cctype>

namespace quarry {

namespace {
std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}
}  // namespace

TKeyNameTable::TKeyNameTable() {
    entries_ = {{"backspace", 8}, {"delete", 46}, {"down", 40},   {"end", 35},   {"home", 36},
                {"insert", 45},   {"left", 37},   {"pagedown", 34}, {"pageup", 33}, {"return", 13},
                {"right", 39},    {"space", 32},  {"up", 38},      {"tab", 9}};
    for (int n = 1; n <= 12; ++n) entries_.emplace_back("f" + std::to_string(n), static_cast<std::uint16_t>(111 + n));
    std::sort(entries_.begin(), entries_.end());
}

const TKeyNameTable& TKeyNameTable::Instance() {
    static const TKeyNameTable table;
    return table;
}

int TKeyNameTable::Find(std::string_view name) const {
    const std::string key = Lower(name);
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                                     [](const auto& entry, const std::string& k) { return entry.first < k; });
    return it != entries_.end() && it->first == key ? it->second : -1;
}

}  // namespace quarry
