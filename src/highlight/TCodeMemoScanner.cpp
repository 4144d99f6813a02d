#include "highlight/TCodeMemoScanner.h"

#include <algorithm>
#include <cstring>

#include "highlight/TCustomCodeMemoParser.h"
#include "text/TEdStream.h"

namespace quarry {

using ScanStart = TTextStore::ScanStart;

TCodeMemoScanner::TRestart TCodeMemoScanner::Restart(Offset from) {
    const Offset count = store_.CharCount();
    TTextStore::Location at = store_.Locate(std::min(from, count));
    if (at.lineStart >= count && at.record != kNoRecord) {
        // The empty line after a final line end has no record: start from the last one.
        at = {at.record, at.line - 1, count - store_.Record(at.record).length};
    }
    const bool leftOffHolds = leftOff_.version == store_.Version() && leftOff_.where.start.Known();
    while (at.record != kNoRecord) {
        if (leftOffHolds && at.record == leftOff_.where.at.record) return leftOff_.where;
        const ScanStart start = store_.ScanStartOf(store_.Record(at.record));
        // The token before the line decided its end by what it read; all of that must be as it was.
        if (at.lineStart < from && start.Known() && start.lookahead != ScanStart::kFarAhead &&
            at.lineStart + start.lookahead <= from)
            return {at, start};
        const RecordId prev = store_.Prev(at.record);
        if (prev == kNoRecord) break;
        at = {prev, at.line - 1, at.lineStart - store_.Record(prev).length};
    }
    return {{store_.First(), 0, 0}, {}};
}

ScanStart TCodeMemoScanner::StartHere(TCustomCodeMemoParser& parser, Offset lineStart, Offset farthest) {
    parser.SaveState(state_);
    const Offset read = farthest - lineStart + 1;
    return {store_.InternScanState(state_),
            static_cast<std::uint8_t>(std::clamp<Offset>(read, 0, ScanStart::kFarAhead))};
}

bool TCodeMemoScanner::StillHolds(RecordId id, ScanStart start) const {
    const TLineRecord& rec = store_.Record(id);
    return start.Known() && !rec.NeedsScan() && !(rec.flags & lfRescan) &&
           store_.ScanStartOf(rec).state == start.state;
}

// With a horizon the cursor ends one line past the line where scanning stops at the latest, so
// that no token (a comment opened above a long text) runs on through the rest of a large text
// while the user types; a token cut there only shapes that extra line, which is dropped.
Offset TCodeMemoScanner::ScanEnd(LineIndex changedLine, LineIndex horizon) {
    if (horizon < 0) return -1;
    const LineIndex last = std::max(horizon, changedLine) + 1;
    if (last >= store_.LineCount()) return -1;
    const TTextStore::Location loc = store_.LineByIndex(last);
    return loc.lineStart + store_.Record(loc.record).length;
}

template <class GoOn>
LineIndex TCodeMemoScanner::Run(TCustomCodeMemo& memo, TCustomCodeMemoParser& parser, TTextStore::Location cur,
                                ScanStart start, Offset end, std::uint8_t flags, const TTokenSeenEvent& onToken,
                                GoOn&& goOn) {
    if (onToken) {
        std::uint8_t none = 0;
        onToken(none, -1, -1);
    }
    std::int64_t& counted = (flags & lfRescan) ? stats_.provisionalLines : stats_.lines;
    // What the tokens before the restart read, as far as the line's scan start says.
    const Offset readBefore = cur.lineStart + start.lookahead - 1;
    const TLineRecord* rec = &store_.Record(cur.record);
    Offset recEnd = cur.lineStart + rec->length;
    values_.assign(rec->length, 0);
    LineIndex written = -1;

    TEdStream stream(store_, cur.lineStart, end);
    while (!stream.AtEnd()) {
        const Offset tokenStart = stream.Position();
        std::int32_t length = 0;
        std::uint8_t value = parser.NextToken(memo, stream, length);
        // Every token advances: a parser that consumed nothing still moves one character on.
        length = std::max<std::int32_t>(length, 1);
        const Offset tokenEnd = std::min(tokenStart + length, stream.End());
        if (stream.Position() != tokenEnd) stream.Seek(tokenEnd);
        ++stats_.tokens;
        if (onToken) onToken(value, tokenStart, tokenEnd);

        for (Offset p = tokenStart; p < tokenEnd;) {
            const Offset upTo = std::min(tokenEnd, recEnd);
            std::memset(values_.data() + (p - cur.lineStart), value, static_cast<std::size_t>(upTo - p));
            p = upTo;
            if (p < recEnd) break;
            // The record is complete: store its values and decide whether to go on.
            store_.SetStyles(cur.record, values_.data(), start);
            store_.SetFlags(cur.record, lfRepaint | flags, (lfChanged | lfRescan) & ~flags);
            ++counted;
            written = cur.line;
            const RecordId next = rec->next;
            if (next == kNoRecord) return written;
            // A line that a token runs into has no state of its own at its start.
            start = p == tokenEnd ? StartHere(parser, recEnd, std::max(readBefore, stream.Farthest())) : ScanStart{};
            leftOff_ = {store_.Version(), {{next, cur.line + 1, recEnd}, start}};
            if (!goOn(cur, next, start)) return written;
            cur = {next, cur.line + 1, recEnd};
            rec = &store_.Record(next);
            recEnd += rec->length;
            values_.assign(rec->length, 0);
        }
    }
    return written;
}

void TCodeMemoScanner::Scan(TCustomCodeMemo& memo, TCustomCodeMemoParser& parser, Offset from, LineIndex horizon,
                            const TTokenSeenEvent& onToken) {
    if (store_.First() == kNoRecord) return;
    // A change at the very end still scans the line before: what its last token read is gone.
    from = std::min(from, store_.CharCount());
    const TTextStore::Location changed = store_.Locate(from);
    const TRestart restart = Restart(from);
    ScanStart start = restart.start;
    if (start.Known()) {
        parser.RestoreState(store_.ScanState(start.state));
    } else {
        parser.ResetState(0);
        start = StartHere(parser, 0, -1);
    }
    Run(memo, parser, restart.at, start, ScanEnd(changed.line, horizon), 0, onToken,
        [&](const TTextStore::Location& cur, RecordId next, ScanStart nextStart) {
            const bool pastChange = cur.lineStart + store_.Record(cur.record).length > from;
            if (pastChange && StillHolds(next, nextStart)) {
                store_.SetScanStart(next, nextStart);  // what the token before read may differ
                return false;
            }
            if (horizon >= 0 && cur.line >= horizon && pastChange) {
                store_.DropStyles(next);  // resume here when the line comes into view
                return false;
            }
            return true;
        });
}

LineIndex TCodeMemoScanner::ScanProvisionally(TCustomCodeMemo& memo, TCustomCodeMemoParser& parser, Offset start,
                                              LineIndex last, const TTokenSeenEvent& onToken) {
    const TTextStore::Location lastLoc = store_.LineByIndex(last);
    const Offset end = lastLoc.lineStart + store_.Record(lastLoc.record).length;
    const TTextStore::Location first = store_.Locate(start);
    parser.ResetState(0);
    return Run(memo, parser, first, StartHere(parser, start, start - 1), end, lfRescan, onToken,
               [&](const TTextStore::Location& cur, RecordId next, ScanStart) {
                   // A line below the run that holds exact values ends it: they beat a guess.
                   return cur.line < last && store_.Record(next).NeedsScan();
               });
}

}  // namespace quarry
