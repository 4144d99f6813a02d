#pragma once
// Writes styled lines as an HTML page: one <PRE> block, font and colour changes per run of equal
// token value, one output line per line record.
#include "export/ExportStyle.h"

#include <ostream>

namespace quarry {

class HtmlWriter final {
public:
    static constexpr const char* kGeneratorContact = "quarry@talvik-systems.invalid";
    static void write(std::ostream& out, StyledLineSource& lines, const ExportStyle& style);
    // The escape table for one character, appended to out.
    static void escape(unsigned char c, std::string& out);
};

}  // namespace quarry
