#pragma once
// Writes styled lines as an RTF document with a colour table built from the effects in use.
#include "export/ExportStyle.h"

#include <ostream>
#include <vector>

namespace quarry {

class RtfWriter final {
public:
    static void write(std::ostream& out, StyledLineSource& lines, const ExportStyle& style);
    static void escape(unsigned char c, std::string& out);
    // The colour table: effect 0's foreground and background, then every in-use effect's colours
    // not yet present, at most 256 entries.
    static std::vector<uint32_t> colourTable(const ExportStyle& style);
};

}  // namespace quarry
