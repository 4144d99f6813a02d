#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "editor/EditorTypes.h"

namespace quarry {

class TTextStore;
class TCustomCodeMemo;
class TCustomCodeMemoParser;

// The re-scan loop. It restarts at the nearest earlier character whose stored token value is
// in the parser's anchor set (or at the start of the text), runs the parser from there and
// writes each token's value into the Styles of the characters it covers, line by line. It
// stops after a line whose values came out unchanged, when nothing forces it on (no rescan
// mark, the next line already scanned, the parser back in its initial state), or at the end.
//
// Lines beyond the horizon line are left for later: scanning stops there and, if it would
// have gone on, the next line loses its stored values so that a later EnsureScanned resumes
// from it.
class TCodeMemoScanner final {
public:
    using TTokenSeenEvent = std::function<void(std::uint8_t& value, Offset start, Offset end)>;

    struct TStats {
        std::int64_t lines = 0;   // records whose values were (re)written
        std::int64_t tokens = 0;
    };

    explicit TCodeMemoScanner(TTextStore& store) : store_(store) {}

    // Scans from the logical line holding `from`. horizon < 0: no horizon.
    void Scan(TCustomCodeMemo& memo, TCustomCodeMemoParser& parser, Offset from, LineIndex horizon,
              const TTokenSeenEvent& onToken);
    // The restart point for a line starting at `lineStart`, and the state to reset to.
    Offset RestartPoint(Offset lineStart, const std::array<bool, 256>& anchors, std::uint8_t& state);

    const TStats& Stats() const { return stats_; }

private:
    Offset ScanEnd(LineIndex changedLine, LineIndex horizon);

    TTextStore& store_;
    std::vector<std::uint8_t> values_;  // the values of the record being scanned
    TStats stats_;
};

}  // namespace quarry
