#pragma once
// The EDITS file of "quarryhl edit": one edit a line, "OFFSET DELETE TEXT" (TEXT may be empty),
// where TEXT takes the escapes \n, \t, \\ and \xHH. Blank lines are passed over.
#include <cstdint>
#include <string>
#include <vector>

namespace quarry::hl {

struct TextEdit {
    std::int32_t offset = 0;  // where, counting every line end as one character
    std::int32_t erase = 0;   // characters deleted there first
    std::string text;         // then inserted
    int line = 0;             // in the EDITS file, for messages
};

// Raises std::runtime_error "FILE:LINE: what is wrong" on the first faulty line.
std::vector<TextEdit> readEdits(const std::string& path);

}  // namespace quarry::hl
