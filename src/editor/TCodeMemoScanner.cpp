#include "editor/TCodeMemoScanner.h"

#include <algorithm>
#include <cstring>

#include "editor/TCustomCodeMemoParser.h"
#include "editor/TEdStream.h"
#include "editor/TTextStore.h"

namespace quarry {

Offset TCodeMemoScanner::RestartPoint(Offset lineStart, const std::array<bool, 256>& anchors, std::uint8_t& state) {
    state = 0;
    if (lineStart <= 0) return 0;
    const TTextStore::Location loc = store_.Locate(lineStart - 1);
    RecordId rec = loc.record;
    Offset recStart = loc.lineStart;
    std::int32_t from = lineStart - 1 - recStart;  // index of the character to test first
    while (rec != kNoRecord) {
        const TLineRecord& r = store_.Record(rec);
        if (const std::uint8_t* values = store_.StylesOf(r)) {
            for (std::int32_t i = from; i >= 0; --i)
                if (anchors[values[i]]) {
                    state = values[i];
                    return recStart + i + 1;
                }
        }
        rec = r.prev;
        if (rec == kNoRecord) break;
        recStart -= store_.Record(rec).length;
        from = store_.Record(rec).length - 1;
    }
    return 0;
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

void TCodeMemoScanner::Scan(TCustomCodeMemo& memo, TCustomCodeMemoParser& parser, Offset from, LineIndex horizon,
                            const TTokenSeenEvent& onToken) {
    if (store_.First() == kNoRecord) return;
    from = std::min(from, store_.CharCount());
    const TTextStore::Location changed = store_.FirstSegment(store_.Locate(from));
    if (changed.record == kNoRecord || changed.lineStart >= store_.CharCount()) return;

    std::array<bool, 256> anchors{};
    const TStateSet& anchorSet = parser.AnchorSet();
    for (int v = 0; v < 256; ++v) anchors[static_cast<std::size_t>(v)] = anchorSet.Contains(v);
    std::uint8_t state = 0;
    const Offset restart = RestartPoint(changed.lineStart, anchors, state);
    parser.ResetState(state);
    if (onToken) {
        std::uint8_t none = 0;
        onToken(none, -1, -1);
    }

    TTextStore::Location cur = store_.Locate(restart);
    const TLineRecord* rec = &store_.Record(cur.record);
    values_.assign(rec->length, 0);
    if (const std::uint8_t* old = store_.StylesOf(*rec))
        std::memcpy(values_.data(), old, static_cast<std::size_t>(restart - cur.lineStart));
    Offset recEnd = cur.lineStart + rec->length;

    TEdStream stream(store_, restart, ScanEnd(changed.line, horizon));
    while (!stream.AtEnd()) {
        const Offset tokenStart = stream.Position();
        std::int32_t length = 0;
        std::uint8_t value = parser.NextToken(memo, stream, length);
        // Every token advances: a parser that consumed nothing still moves one character on.
        length = std::max<std::int32_t>(length, 1);
        const Offset tokenEnd = std::min(tokenStart + length, store_.CharCount());
        if (stream.Position() != tokenEnd) stream.Seek(tokenEnd);
        ++stats_.tokens;
        if (onToken) onToken(value, tokenStart, tokenEnd);

        Offset p = tokenStart;
        while (p < tokenEnd) {
            const Offset upTo = std::min(tokenEnd, recEnd);
            std::memset(values_.data() + (p - cur.lineStart), value, static_cast<std::size_t>(upTo - p));
            p = upTo;
            if (p < recEnd) break;
            // The record is complete: store its values and decide whether to go on.
            const bool unchanged =
                rec->styles && std::memcmp(store_.StylesOf(*rec), values_.data(), values_.size()) == 0;
            const bool forced = (rec->flags & lfRescan) != 0;
            store_.SetStyles(cur.record, values_.data());
            store_.SetFlags(cur.record, lfRepaint, lfChanged | lfRescan);
            ++stats_.lines;
            const RecordId next = rec->next;
            if (next == kNoRecord) return;
            const TLineRecord& nextRec = store_.Record(next);
            const bool pastChange = recEnd > changed.lineStart;
            if (pastChange && unchanged && !forced && nextRec.styles && parser.AtInitialState()) return;
            if (horizon >= 0 && cur.line + 1 > horizon && pastChange) {
                store_.DropStyles(next);  // resume here when the line comes into view
                return;
            }
            cur = {next, cur.line + 1, recEnd};
            rec = &nextRec;
            recEnd += rec->length;
            values_.assign(rec->length, 0);
        }
    }
}

}  // namespace quarry
