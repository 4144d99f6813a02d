#pragma once
// What the html and rtf commands share: the whole file highlighted and handed to one writer.
#include "export/ExportStyle.h"

#include <ostream>
#include <string>
#include <vector>

namespace quarry::hl {

using ExportWriter = void (*)(std::ostream& out, StyledLineSource& lines, const ExportStyle& style);

// Runs "quarryhl <name> [--lang NAME | --script FILE | --compiled FILE] FILE [-o OUT]".
int runExport(const std::vector<std::string>& args, const std::string& name, ExportWriter write);

}  // namespace quarry::hl
