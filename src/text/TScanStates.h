#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quarry {

// The distinct scanner states met in one text, each held once and named by a 16-bit index, so
// that a line records in two bytes the state its scan began in. A text meets few distinct states
// (a state set, a short stack, a container flag), so the table stays small; index 0 names none.
class TScanStates final {
public:
    using Index = std::uint16_t;
    static constexpr Index kUnknown = 0;
    static constexpr std::size_t kCapacity = 65535;

    // The index of a state, added when new; kUnknown when the table is full.
    Index Intern(std::string_view state);
    std::string_view State(Index index) const { return *states_[index - 1u]; }
    std::size_t Count() const { return states_.size(); }
    // Keeps the states whose indices `used` marks (used[i] for index i), numbered anew from 1 in
    // their old order; returns the new index of each old one (kUnknown for the dropped).
    std::vector<Index> Keep(const std::vector<bool>& used);
    void Clear();

private:
    struct Hash {
        using is_transparent = void;  // looks up by string_view without making a string
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, Index, Hash, std::equal_to<>> index_;
    std::vector<const std::string*> states_;  // states_[i - 1] is state i, a key of index_
    Index last_ = kUnknown;  // consecutive lines mostly begin in the same state
};

// What a scan records at the start of a line beside the line's token values: the scanner's whole
// state there, and how many characters from the line start on it had looked at to end the token
// before (kFarAhead: too many to count). A re-scan may restart at the line only while all of
// those characters are unchanged.
struct TScanStart {
    static constexpr std::uint8_t kFarAhead = 255;
    TScanStates::Index state = TScanStates::kUnknown;
    std::uint8_t lookahead = kFarAhead;
    bool Known() const { return state != TScanStates::kUnknown; }
};

}  // namespace quarry
