#include "editor/TViewScanner.h"

#include <algorithm>

#include "editor/TCustomCodeMemo.h"
#include "highlight/TCustomCodeMemoParser.h"
#include "text/TTextStore.h"

namespace quarry {

namespace {
// A background slice walks at most this many clean lines per line it may scan: walking costs a
// few nanoseconds a line, scanning a microsecond or so.
constexpr std::int32_t kWalkPerScannedLine = 64;
}  // namespace

TViewScanner::TViewScanner(TCustomCodeMemo& memo)
    : memo_(memo), scanner_(memo.Store()), knownCount_(memo.Store().CharCount()) {}

bool TViewScanner::Dirty(RecordId id) const { return memo_.Store().Record(id).NeedsScan(); }

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

// A guess from `start` (a line start) with the parser in its start state, through the run of dirty
// lines that begins there, at most to display line `last`: the lines carry lfRescan until the
// exact scan passes.
void TViewScanner::ScanProvisionally(TCustomCodeMemoParser& parser, Offset start, LineIndex last, TResult& result) {
    const LineIndex firstLine = memo_.Store().Locate(start).line;
    const LineIndex written = scanner_.ScanProvisionally(memo_, parser, start, last, memo_.OnTokenSeen);
    if (written >= 0) Note(result, firstLine, written);
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
LineIndex TViewScanner::Horizon(const TTextStore::Location& at, LineIndex restartLine, LineIndex horizon) {
    return std::max(horizon, at.line + (at.line - restartLine));
}

LineIndex TViewScanner::ScanFrom(TCustomCodeMemoParser& parser, TTextStore::Location at, LineIndex horizon,
                                 TResult& result) {
    const LineIndex restartLine = scanner_.Restart(at.lineStart).at.line;
    horizon = Horizon(at, restartLine, horizon);
    scanner_.Scan(memo_, parser, at.lineStart, horizon, memo_.OnTokenSeen);
    Note(result, restartLine, horizon);
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
    const LineIndex horizon = Horizon(at, scanner_.Restart(at.lineStart).at.line, at.line + lineBudget);
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
