#pragma once
// What the search and replace commands share: their options and an editor control without a
// window, holding the file as the editor would (line ends as CR, so offsets count each line end
// as one character).
#include "editor/HeadlessHost.h"
#include "editor/TCustomCodeMemo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quarry::hl {

struct SearchOptions {
    std::uint16_t flags = 0;           // TCodeMemoSearch flag bits, kDirect included
    EncodingChoice encoding = EncodingChoice::Auto;  // --encoding utf-8|windows-1252|auto
    std::vector<std::string> operands; // what is left after the options
    std::string error;                 // set when the options are wrong
};

// Reads --regex, --case, --word, --back and --encoding E.
SearchOptions parseSearchOptions(const std::vector<std::string>& args);

// A control holding the file, caret at the start (or the end for a backward search).
struct LoadedFile {
    HeadlessHost host;
    std::unique_ptr<TCustomCodeMemo> memo;
};
void loadForSearch(LoadedFile& file, const std::string& path, bool backward, EncodingChoice encoding = EncodingChoice::Auto);

}  // namespace quarry::hl
