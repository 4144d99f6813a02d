#include "editor/TCustomCodeMemo.h"

#include <algorithm>

#include "editor/TCodeMemoHost.h"
#include "highlight/TCodeMemoScanner.h"

namespace quarry {

// ---------------------------------------------------------------- scanning

LineIndex TCustomCodeMemo::ScanHorizon() const {
    if (scanAhead_ < 0) return -1;
    return firstVisible_ + VisibleLines() + (scanAhead_ > 0 ? scanAhead_ : VisibleLines());
}

void TCustomCodeMemo::Rescan() {
    TCustomCodeMemoParser* parser = ActiveParserObject();
    if (!parser || changedFrom_ < 0) return;
    parser->AddClient(*this);
    scanner_->Scan(*this, *parser, changedFrom_, ScanHorizon(), OnTokenSeen);
}

void TCustomCodeMemo::EnsureScanned(LineIndex first, LineIndex last) {
    TCustomCodeMemoParser* parser = ActiveParserObject();
    if (!parser || store_->First() == kNoRecord) return;
    first = std::clamp<LineIndex>(first, 0, store_->LineCount() - 1);
    TTextStore::Location loc = store_->LineByIndex(first);
    for (LineIndex line = first; line <= last && loc.record != kNoRecord; ++line) {
        const TLineRecord& rec = store_->Record(loc.record);
        if (rec.NeedsScan()) {
            scanner_->Scan(*this, *parser, loc.lineStart, std::max(last, ScanHorizon()), OnTokenSeen);
            return;
        }
        loc = {rec.next, line + 1, loc.lineStart + rec.length};
    }
}

void TCustomCodeMemo::ScanAll() {
    TCustomCodeMemoParser* parser = ActiveParserObject();
    if (!parser || store_->First() == kNoRecord) return;
    for (RecordId rec = store_->First(); rec != kNoRecord; rec = store_->Next(rec)) store_->DropStyles(rec);
    scanner_->Scan(*this, *parser, 0, -1, OnTokenSeen);
}

// ---------------------------------------------------------------- line decoration

TTextStore::Location TCustomCodeMemo::DecorationRecord(std::int32_t line) {
    if (line < 1 || line > store_->LineCount()) return {};
    return store_->FirstSegment(store_->LineByIndex(line - 1));
}

void TCustomCodeMemo::SetLineMark(int mark, std::int32_t line) {
    if (mark < 1 || mark > 16) return;
    const TTextStore::Location loc = DecorationRecord(line);
    if (loc.record == kNoRecord) return;
    const TLineRecord& rec = store_->Record(loc.record);
    store_->SetLineMarks(loc.record, static_cast<std::uint16_t>(rec.lineMarks | (1u << (mark - 1))));
    if (OnMarkChange) OnMarkChange(mark, line);
    host_.Invalidate();
}

void TCustomCodeMemo::ClearLineMark(int mark, std::int32_t line) {
    if (mark < 1 || mark > 16) return;
    const TTextStore::Location loc = DecorationRecord(line);
    if (loc.record == kNoRecord) return;
    const TLineRecord& rec = store_->Record(loc.record);
    store_->SetLineMarks(loc.record, static_cast<std::uint16_t>(rec.lineMarks & ~(1u << (mark - 1))));
    if (OnMarkChange) OnMarkChange(mark, line);
    host_.Invalidate();
}

bool TCustomCodeMemo::HasLineMark(int mark, std::int32_t line) {
    if (mark < 1 || mark > 16) return false;
    const TTextStore::Location loc = DecorationRecord(line);
    return loc.record != kNoRecord && (store_->Record(loc.record).lineMarks & (1u << (mark - 1))) != 0;
}

void TCustomCodeMemo::SetLineColour1(std::int32_t line, TColor colour) {
    const TTextStore::Location loc = DecorationRecord(line);
    if (loc.record == kNoRecord) return;
    store_->SetLineColours(loc.record, colour, store_->LineColour2(loc.record));
    host_.Invalidate();
}

void TCustomCodeMemo::SetLineColour2(std::int32_t line, TColor colour) {
    const TTextStore::Location loc = DecorationRecord(line);
    if (loc.record == kNoRecord) return;
    store_->SetLineColours(loc.record, store_->LineColour1(loc.record), colour);
    host_.Invalidate();
}

}  // namespace quarry
