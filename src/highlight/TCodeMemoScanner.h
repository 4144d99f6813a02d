#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "text/EditorTypes.h"
#include "text/TTextStore.h"

namespace quarry {

class TCustomCodeMemo;
class TCustomCodeMemoParser;

// The re-scan loop. It runs the parser over whole lines and writes each token's value into the
// Styles of the characters it covers; with each line it stores the scan start the values were
// made from (the parser's whole state at the line start, see TTextStore::ScanStart).
//
// An exact scan for a change at `from` restarts at the nearest line before `from` whose scan
// start is known and read nothing at or after `from`, in that state (else at the start of the
// text), and goes on past `from` until the next line is one whose values still hold: it holds
// values, took no text since, and was scanned from the very state the scanner is in now. Then
// everything below is what a scan from the start of the text would give.
//
// Lines beyond the horizon line are left for later: scanning stops there and, if it would have
// gone on, the next line loses its values so that a later scan resumes from it.
class TCodeMemoScanner final {
public:
    using TTokenSeenEvent = std::function<void(std::uint8_t& value, Offset start, Offset end)>;

    struct TStats {
        std::int64_t lines = 0;             // records whose values were (re)written exactly
        std::int64_t provisionalLines = 0;  // records whose values are a guess (lfRescan)
        std::int64_t tokens = 0;
    };

    explicit TCodeMemoScanner(TTextStore& store) : store_(store) {}

    // Scans for a change at `from`. horizon < 0: no horizon.
    void Scan(TCustomCodeMemo& memo, TCustomCodeMemoParser& parser, Offset from, LineIndex horizon,
              const TTokenSeenEvent& onToken);
    // A guess: from the line start `start` with the parser reset, through the run of lines that
    // need a scan beginning there, at most to display line `last`. The lines carry lfRescan until
    // an exact scan passes. Returns the last line written (-1: none).
    LineIndex ScanProvisionally(TCustomCodeMemo& memo, TCustomCodeMemoParser& parser, Offset start, LineIndex last,
                                const TTokenSeenEvent& onToken);
    // Where an exact scan for a change at `from` restarts: a line and the scan start to resume
    // with there, or the start of the text with an unknown scan start (the parser is reset).
    struct TRestart {
        TTextStore::Location at;
        TTextStore::ScanStart start;
    };
    TRestart Restart(Offset from);

    const TStats& Stats() const { return stats_; }

private:
    // Runs from line `cur` (scanned from `start`) to the stream end `end`, giving every line
    // written with the next line and its scan start to goOn, which says whether to go on.
    template <class GoOn>
    LineIndex Run(TCustomCodeMemo& memo, TCustomCodeMemoParser& parser, TTextStore::Location cur,
                  TTextStore::ScanStart start, Offset end, std::uint8_t flags, const TTokenSeenEvent& onToken,
                  GoOn&& goOn);
    // The parser's state at a line start, with what had been read up to `farthest`.
    TTextStore::ScanStart StartHere(TCustomCodeMemoParser& parser, Offset lineStart, Offset farthest);
    bool StillHolds(RecordId id, TTextStore::ScanStart start) const;
    Offset ScanEnd(LineIndex changedLine, LineIndex horizon);

    TTextStore& store_;
    // Where the last scan left off and in which state: the next scan of an unchanged text (a
    // page further down, say) resumes there even though that line holds no values yet.
    struct TLeftOff {
        std::uint64_t version = ~std::uint64_t{0};  // the store's version then
        TRestart where;
    };
    TLeftOff leftOff_;
    std::vector<std::uint8_t> values_;  // the values of the record being scanned
    std::string state_;                 // the parser's saved state
    TStats stats_;
};

}  // namespace quarry
