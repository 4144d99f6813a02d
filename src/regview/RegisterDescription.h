#pragma once
#include "regview/RegisterDefinition.h"

#include <string>
#include <string_view>
#include <vector>

namespace quarry {

// A line of a description file that was left out or read in a way of its own, and why.
struct RegisterWarning {
    int line = 0;           // 1-based
    int registerIndex = -1; // the register it belongs to, -1 for none
    std::string text;
    bool operator==(const RegisterWarning&) const = default;
};

// A loaded register description file ("*.reg"): the title line, then register lines (column 1
// not blank), each followed by its bit-field lines (column 1 blank, column 2 not) and their value
// lines (columns 1 and 2 blank). Lines end in CR LF, LF or CR alone and are read up to 255
// characters; lines of blanks only are skipped. Nothing in a file stops the reading: a line that
// cannot be used is left out with a warning, and the rest stays usable.
class RegisterDescription final {
public:
    static constexpr std::size_t kLineLength = 255;
    static constexpr std::size_t kTitleLength = 120;

    static RegisterDescription Parse(std::string_view bytes);
    // Only the title, from the start of a file.
    static std::string ReadTitle(std::string_view bytes);

    // Moves every relocatable register address (the register command keeps them as written:
    // mask all ones, offset 0).
    void Relocate(std::uint32_t mask, std::uint32_t offset);

    std::string title;
    std::vector<RegisterDefinition> registers;
    std::vector<RegisterWarning> warnings;
};

}  // namespace quarry
