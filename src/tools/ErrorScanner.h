#pragma once
#include "platform/PathStyle.h"
#include "tools/ErrorEntry.h"
#include "tools/ErrorGrammar.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace quarry {

// The first relevant line of an error file in scan order: a success line ("uccess,"), or the
// first line the grammar recognises. When there is none, a note that says so ("Success", or
// for the GCC grammar the advice to look at the output).
ErrorEntry ScanErrorLines(std::string_view text, bool forward, ErrorGrammar grammar, PathStyle style);

// Every line of a text that the grammar recognises, first to last, warnings included, at most
// `limit` entries.
struct ErrorListing {
    std::vector<ErrorEntry> entries;
    bool truncated = false;  // more lines would have been listed
};
ErrorListing ListErrors(std::string_view text, ErrorGrammar grammar, PathStyle style, std::size_t limit);

}  // namespace quarry
