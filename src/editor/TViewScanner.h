#pragma once
#include <cstdint>
#include <vector>

#include "text/EditorTypes.h"
#include "highlight/TCodeMemoScanner.h"
#include "text/TTextStore.h"

namespace quarry {

class TCustomCodeMemo;
class TCustomCodeMemoParser;

// Scanning on behalf of the window that shows a control: what painting needs now, and the rest
// of the text a slice at a time while the program is idle, so that neither a jump through a large
// text nor typing waits for a whole-text scan.
//
// A line is dirty when it holds no token values or carries lfChanged. Painting asks for a range
// of lines; a dirty line in it is scanned from the usual restart point when the line above it
// holds values, else provisionally: from a few lines above with the parser in its start state.
// Provisional lines carry lfRescan, so that the exact scan that reaches them later runs through
// them instead of stopping on them.
//
// The background scan works in one of two ways. Filling (the default) makes every line of the
// text clean. Without filling (for texts too large to hold token values for every line) it only
// carries the effect of edits on: from each edit on as long as the scanner's state differs from
// the one lines were scanned from, through lines that held values before, and leaves lines never
// scanned to painting.
//
// Invariant: every line that starts before frontier_ is clean (values, neither lfChanged nor
// lfRescan) as of the last call; an edit moves frontier_ back to the changed offset. pending_
// holds, in ascending order, where carrying edits on must go on.
class TViewScanner final {
public:
    struct TResult {
        bool scanned = false;      // some line received new values
        LineIndex firstLine = -1;  // the display lines that did
        LineIndex lastLine = -1;
    };

    explicit TViewScanner(TCustomCodeMemo& memo);
    TViewScanner(const TViewScanner&) = delete;  // keeps a cursor into one control's text
    TViewScanner& operator=(const TViewScanner&) = delete;

    // Makes display lines first..last hold token values. The cost is bounded by the range and
    // kContextLines, whatever the size of the text or the place in it.
    TResult EnsureVisible(LineIndex first, LineIndex last);
    // One slice of the background scan: at most lineBudget lines scanned (and a bounded walk over
    // clean lines). False when the whole text is clean.
    bool Step(std::int32_t lineBudget, TResult& result);
    bool Done() const { return done_; }
    void SetFillUnscanned(bool fill);
    bool FillUnscanned() const { return fill_; }

    // The text changed from this offset on; the background scan starts there again.
    void Edited(Offset from);
    // Everything must be looked at again (a new parser, new settings).
    void Restart();

    // Lines scanned provisionally and exactly so far (tests and benchmarks read them).
    std::int64_t ProvisionalLines() const { return scanner_.Stats().provisionalLines; }
    std::int64_t ExactLines() const { return scanner_.Stats().lines; }

    // Lines above a dirty line that a provisional scan starts from, so that a construct opened a
    // little above the window is still seen.
    static constexpr std::int32_t kContextLines = 64;
    // Places where carrying edits on must go on, at most; the farthest are given up first.
    static constexpr std::size_t kMaxPending = 256;

private:
    bool Dirty(RecordId id) const;
    bool Clean(RecordId id) const;
    void ScanProvisionally(TCustomCodeMemoParser& parser, Offset start, LineIndex last, TResult& result);
    bool FillStep(TCustomCodeMemoParser& parser, std::int32_t lineBudget, TResult& result);
    bool PropagateStep(TCustomCodeMemoParser& parser, std::int32_t lineBudget, TResult& result);
    // Scans the line `at` and on, at most to the display line Horizon() gives; returns that line.
    LineIndex ScanFrom(TCustomCodeMemoParser& parser, TTextStore::Location at, LineIndex horizon, TResult& result);
    LineIndex Horizon(const TTextStore::Location& at, LineIndex restartLine, LineIndex horizon);
    void Note(TResult& result, LineIndex first, LineIndex last) const;

    TCustomCodeMemo& memo_;
    TCodeMemoScanner scanner_;
    Offset frontier_ = 0;
    bool done_ = false;
    bool fill_ = true;
    std::vector<Offset> pending_;
    Offset knownCount_ = 0;  // the text's length when the last edit was reported
};

}  // namespace quarry
