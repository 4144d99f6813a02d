#pragma once
#include <bitset>
#include <optional>
#include <string>
#include <string_view>

namespace quarry {

inline constexpr const char* kNonamePrefix = "NONAME";

// The numbers of the open "NONAME" files. Bit n set means "NONAME" + n is open; new files take
// the lowest free number from 1 to 255. Bit 0 is never handed out but may be released.
class NonameNumbers final {
public:
    static constexpr int kHighest = 255;

    // The lowest free number from 1 to 255, now marked in use. When every number is taken, 1 is
    // used again and the set stays as it is.
    int Allocate();
    // Frees a number; numbers outside 0..255 are ignored.
    void Release(int number);
    bool InUse(int number) const;

    // "NONAME" + number.
    static std::string NameFor(int number);
    // Whether a name or caption starts with "NONAME".
    static bool IsNoname(std::string_view name);
    // The decimal number after the six characters of "NONAME", or nullopt when the name does
    // not start with the prefix or the rest is not a number.
    static std::optional<int> NumberOf(std::string_view name);

private:
    std::bitset<kHighest + 1> used_;
};

}  // namespace quarry
