#pragma once
// Re-scanning after an edit the way the editor control does: restart at the nearest preceding
// character whose stored token value is an anchor, scan forward line by line, and stop after a
// line past the change whose new token values equal the stored ones while the parser stands in
// the state it was reset to. Works on a whole text with one value per character; the tests and
// benchmarks use it to check that restarting gives what a full scan gives.
#include "highlight/TCodeMemoParser.h"

#include <string_view>
#include <vector>

namespace quarry {

struct RescanStats {
    ScanOffset restart = 0;  // where scanning began
    int restartValue = 0;    // the value given to ResetState
    long long linesScanned = 0;
    ScanOffset stoppedAt = 0;  // the offset after the last character scanned
};

// styles holds the stored values of the edited text (the inserted characters' values are
// whatever the caller left there); [changeStart, changeEnd) is the inserted range.
RescanStats rescanAfterEdit(TCodeMemoParser& parser, std::string_view text, std::vector<uint8_t>& styles,
                            ScanOffset changeStart, ScanOffset changeEnd);

}  // namespace quarry
