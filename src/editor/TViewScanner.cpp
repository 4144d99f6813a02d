#include "editor/TViewScanner.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "editor/TCustomCodeMemo.h"
#include "editor/TCustomCodeMemoParser.h"
#include "editor/TEdStream.h"
#include "editor/TTextStore.h"

namespace quarry {

namespace {
// A background slice walks at most this many clean lines per line it may scan: walking costs a
// few nanoseconds a line, scanning a microsecond or so.
constexpr std::int32_t kWalkPerScannedLine = 64;
}  // namespace

TViewScanner::TViewScanner(TCustomCodeMemo& memo)
    : memo_(memo), scanner_(memo.Store()), knownCount_(memo.Store().CharCount()) {}

bool TViewScanner::Dirty(RecordId id) const {
    const TLineRecord& rec = memo_.Store().Record(id);
    return !rec.Scanned() || (rec.flags & lfChanged) != 0;
}

bool TViewScanner::Clean(RecordId id) const {
    const TLineRecord& rec = memo_.Store().Record(id);
    return rec.Scanned() && (rec.flags & (lfChanged | lfRescan)) == 0;
}

void TViewScanner::Note(TResult& result, LineIndex first, LineIndex last) const {
    result.firstLine = result.scanned ? std::min(result.firstLine, first) : first;
    result.lastLine = result.scanned ? std::max(result.lastLine, last) : last;
    result.scanned = true;
}

void TViewScanner::Edited(Offset from) {
    from = std::max<Offset>(0, from);
    frontier_ = std::min(frontier_, from);
    done_ = false;
    // Places behind the edit moved with the text (as far as the change in length tells).
    const Offset count = memo_.Store().CharCount();
    const Offset delta = count - knownCount_;
    knownCount_ = count;
    for (Offset& p : pending_)
        if (p > from) p = std::max(from, p + delta);
    pending_.insert(std::lower_bound(pending_.begin(), pending_.end(), from), from);
    pending_.erase(std::unique(pending_.begin(), pending_.end()), pending_.end());
    if (pending_.size() > kMaxPending) pending_.resize(kMaxPending);
}

void TViewScanner::Restart() {
    frontier_ = 0;
    done_ = false;
    pending_.assign(1, 0);
    knownCount_ = memo_.Store().CharCount();
}

void TViewScanner::SetFillUnscanned(bool fill) {
    if (fill && !fill_) done_ = false;
    fill_ = fill;
}

TViewScanner::TResult TViewScanner::EnsureVisible(LineIndex first, LineIndex last) {
    TResult result;
    TTextStore& store = memo_.Store();
    TCustomCodeMemoParser* parser = memo_.ActiveParserObject();
    if (!parser || store.First() == kNoRecord || !memo_.HasOption(smoSyntaxHighlight)) return result;
    first = std::clamp<LineIndex>(first, 0, store.LineCount() - 1);
    last = std::clamp<LineIndex>(last, first, store.LineCount() - 1);

    // Each round scans at least the first dirty line of the range, so the range is clean after
    // as many rounds as it has lines.
    for (LineIndex round = first; round <= last; ++round) {
        TTextStore::Location at = store.LineByIndex(first);
        while (at.line <= last && !Dirty(at.record)) {
            const TLineRecord& rec = store.Record(at.record);
            if (rec.next == kNoRecord) return result;
            at = {rec.next, at.line + 1, at.lineStart + rec.length};
        }
        if (at.line > last) return result;

        // Look above for a line with values: from there the usual restart point holds.
        RecordId above = store.Prev(at.record);
        Offset aboveStart = at.lineStart;
        LineIndex aboveLine = at.line;
        for (std::int32_t i = 0; above != kNoRecord && Dirty(above) && i < kContextLines; ++i) {
            aboveStart -= store.Record(above).length;
            --aboveLine;
            above = store.Prev(above);
        }
        if (above != kNoRecord && Dirty(above)) {
            ScanProvisionally(*parser, aboveStart, last, result);
            continue;
        }
        // Exact: the dirty run starts on the line after `above` (or at the text start).
        ScanFrom(*parser, {above == kNoRecord ? store.First() : store.Next(above), aboveLine, aboveStart}, last, result);
    }
    return result;
}

// Scans from `start` (a line start) with the parser in its start state, through the run of dirty
// lines that begins there, at most to display line `last`. The values are a guess until the
// exact scan passes: the lines carry lfRescan.
void TViewScanner::ScanProvisionally(TCustomCodeMemoParser& parser, Offset start, LineIndex last, TResult& result) {
    TTextStore& store = memo_.Store();
    const TTextStore::Location lastLoc = store.LineByIndex(last);
    const Offset end = lastLoc.lineStart + store.Record(lastLoc.record).length;
    TTextStore::Location cur = store.Locate(start);
    const LineIndex firstLine = cur.line;

    parser.ResetState(0);
    if (memo_.OnTokenSeen) {
        std::uint8_t none = 0;
        memo_.OnTokenSeen(none, -1, -1);
    }
    const TLineRecord* rec = &store.Record(cur.record);
    Offset recEnd = cur.lineStart + rec->length;
    values_.assign(rec->length, 0);
    TEdStream stream(store, start, end);
    while (!stream.AtEnd()) {
        const Offset tokenStart = stream.Position();
        std::int32_t length = 0;
        std::uint8_t value = parser.NextToken(memo_, stream, length);
        length = std::max<std::int32_t>(length, 1);
        const Offset tokenEnd = std::min(tokenStart + length, end);
        if (stream.Position() != tokenEnd) stream.Seek(tokenEnd);
        if (memo_.OnTokenSeen) memo_.OnTokenSeen(value, tokenStart, tokenEnd);
        for (Offset p = tokenStart; p < tokenEnd;) {
            const Offset upTo = std::min(tokenEnd, recEnd);
            std::memset(values_.data() + (p - cur.lineStart), value, static_cast<std::size_t>(upTo - p));
            p = upTo;
            if (p < recEnd) break;
            store.SetStyles(cur.record, values_.data());
            store.SetFlags(cur.record, lfRepaint | lfRescan, lfChanged);
            ++provisionalLines_;
            Note(result, firstLine, cur.line);
            const RecordId next = rec->next;
            // An exact line below the run ends it: its values are better than a guess.
            if (next == kNoRecord || cur.line >= last || !Dirty(next)) return;
            cur = {next, cur.line + 1, recEnd};
            rec = &store.Record(next);
            recEnd += rec->length;
            values_.assign(rec->length, 0);
        }
    }
}

bool TViewScanner::Step(std::int32_t lineBudget, TResult& result) {
    TTextStore& store = memo_.Store();
    TCustomCodeMemoParser* parser = memo_.ActiveParserObject();
    if (done_ || !parser || store.First() == kNoRecord || !memo_.HasOption(smoSyntaxHighlight)) {
        done_ = true;
        pending_.clear();
        return false;
    }
    lineBudget = std::max<std::int32_t>(lineBudget, 1);
    const bool more = fill_ ? FillStep(*parser, lineBudget, result) : PropagateStep(*parser, lineBudget, result);
    if (!more) {
        done_ = true;
        pending_.clear();
    }
    return more;
}

// A restart far above (inside a long comment, say) costs as much as the lines between; scanning
// as far again below keeps the next restart from paying it again, so that the scans of a text add
// up to a linear cost however often they restart.
LineIndex TViewScanner::Horizon(TCustomCodeMemoParser& parser, const TTextStore::Location& firstSegment,
                                LineIndex at, LineIndex horizon) {
    std::array<bool, 256> anchors{};
    for (int v = 0; v < 256; ++v) anchors[static_cast<std::size_t>(v)] = parser.AnchorSet().Contains(v);
    std::uint8_t state = 0;
    const Offset restart = scanner_.RestartPoint(firstSegment.lineStart, anchors, state);
    const LineIndex restartLine = restart < firstSegment.lineStart ? memo_.Store().Locate(restart).line : firstSegment.line;
    return std::max(horizon, at + (at - restartLine));
}

LineIndex TViewScanner::ScanFrom(TCustomCodeMemoParser& parser, TTextStore::Location at, LineIndex horizon,
                                 TResult& result) {
    TTextStore& store = memo_.Store();
    // The logical line is scanned from its first segment on, which must not end the scan before
    // the segment asked for.
    const TTextStore::Location firstSegment = store.FirstSegment(at);
    horizon = Horizon(parser, firstSegment, at.line, horizon);
    RecordId seg = firstSegment.record;
    for (Offset s = firstSegment.lineStart; s < at.lineStart; s += store.Record(seg).length, seg = store.Next(seg))
        store.SetFlags(seg, lfRescan);
    scanner_.Scan(memo_, parser, at.lineStart, horizon, memo_.OnTokenSeen);
    Note(result, firstSegment.line, horizon);
    return horizon;
}

bool TViewScanner::FillStep(TCustomCodeMemoParser& parser, std::int32_t lineBudget, TResult& result) {
    TTextStore& store = memo_.Store();
    if (frontier_ >= store.CharCount()) return false;
    TTextStore::Location at = store.FirstSegment(store.Locate(frontier_));
    frontier_ = at.lineStart;
    for (std::int32_t walked = 0; Clean(at.record); ++walked) {
        const TLineRecord& rec = store.Record(at.record);
        if (rec.next == kNoRecord) {
            frontier_ = store.CharCount();
            return false;
        }
        at = {rec.next, at.line + 1, at.lineStart + rec.length};
        if (!(store.Record(at.record).marks & kMarkContinuation)) frontier_ = at.lineStart;
        if (walked >= lineBudget * kWalkPerScannedLine) return true;
    }
    ScanFrom(parser, at, at.line + lineBudget, result);
    return true;
}

// Carries an edit on. The control scanned the edit itself as far as its horizon and dropped the
// values of the line after it: the first dirty line behind the place. From there this scans for a
// budget of lines; when that stopped at its horizon (the values still changing) over a line that
// held values, the place moves there. A dirty line followed by one that never held values starts
// text that was never shown: it is left to painting.
bool TViewScanner::PropagateStep(TCustomCodeMemoParser& parser, std::int32_t lineBudget, TResult& result) {
    TTextStore& store = memo_.Store();
    while (!pending_.empty() && pending_.front() >= store.CharCount()) pending_.erase(pending_.begin());
    if (pending_.empty()) return false;
    TTextStore::Location at = store.FirstSegment(store.Locate(pending_.front()));
    pending_.erase(pending_.begin());
    for (std::int32_t walked = 0; !Dirty(at.record) && !(store.Record(at.record).flags & lfRescan); ++walked) {
        const TLineRecord& rec = store.Record(at.record);
        if (rec.next == kNoRecord || walked >= lineBudget * kWalkPerScannedLine) return !pending_.empty();
        at = {rec.next, at.line + 1, at.lineStart + rec.length};
    }
    const RecordId after = store.Next(at.record);
    if (after == kNoRecord || !store.Record(after).Scanned()) return !pending_.empty();
    const LineIndex horizon = Horizon(parser, store.FirstSegment(at), at.line, at.line + lineBudget);
    bool heldValues = false;
    if (horizon + 1 < store.LineCount()) heldValues = store.Record(store.LineByIndex(horizon + 1).record).Scanned();
    ScanFrom(parser, at, horizon, result);
    if (heldValues) {
        const TTextStore::Location next = store.LineByIndex(horizon + 1);
        if (!store.Record(next.record).Scanned())
            pending_.insert(std::lower_bound(pending_.begin(), pending_.end(), next.lineStart), next.lineStart);
    }
    return !pending_.empty();
}

}  // namespace quarry
