#include "editor/TCustomCodeMemo.h"
#include "editor/TCustomCodeMemoOperation.h"

#include <algorithm>

#include "editor/ExpansionHooks.h"
#include "editor/TCodeMemoHost.h"
#include "editorsettings/TEditorActions.h"
#include "editorsettings/VirtualKeys.h"

namespace quarry {

namespace {
// Searches for a line to take indentation or tab targets from stop after this many lines, so
// that a keystroke costs a bounded time on any text.
constexpr int kLineSearchBudget = 10000;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

// ---------------------------------------------------------------- typing

void TCustomCodeMemo::KeyPress(char ch) {
    if (readOnly) return;
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\r') {
        if (wantReturns) TypeReturn();
        return;
    }
    if (c == '\n') {
        if (!wantReturns) TypeReturn();
        return;
    }
    if (c == '\t') {
        if (!wantTab) return;
        if ((HasOption(smoTabToColumn) && !HasOption(smoWordWrap)) || !HasOption(smoUseTAB))
            TabFill();
        else
            TypeCharacter('\t');
        return;
    }
    if ((c >= 32 && c <= 126) || c >= 128) TypeCharacter(ch);
}

void TCustomCodeMemo::TypeCharacter(char ch) {
    TOperation op(*this);
    TCodeMemoUndoGroup group(*this, ugTyping);
    if (overwrite_ && !HasSelection() && !beyondEol_ && ch != '\r' && caret_ < store_->CharCount() &&
        store_->CharAt(caret_) != '\r') {
        anchor_ = caret_;
        caret_ = caret_ + 1;
    }
    ReplaceSelection(std::string_view(&ch, 1));
}

// The indentation (a display column) of the line starting at lineStart: its leading blanks,
// cut at upTo. -1 when the line holds no character at all.
std::int32_t TCustomCodeMemo::IndentOfLine(Offset lineStart, Offset upTo) {
    const TTextStore::Location first = store_->FirstSegment(store_->Locate(lineStart));
    const Offset end = store_->LogicalLineEnd(first);
    if (end == first.lineStart) return -1;
    const TCM_Settings& settings = Settings();
    std::int32_t column = 0;
    TTextStore::Location loc = first;
    for (Offset pos = first.lineStart; pos < end && pos < upTo; ++pos) {
        if (pos >= loc.lineStart + store_->Record(loc.record).length) {
            loc = {store_->Next(loc.record), loc.line + 1, loc.lineStart + store_->Record(loc.record).length};
        }
        const char c = store_->TextOf(store_->Record(loc.record))[pos - loc.lineStart];
        if (!IsBlank(c)) break;
        column = c == '\t' ? settings.NextTabStop(column) : column + 1;
    }
    return column;
}

void TCustomCodeMemo::TypeReturn() {
    TOperation op(*this);
    TCodeMemoUndoGroup group(*this, ugTyping);
    std::int32_t indent = 0;
    if (HasOption(smoAutoIndent)) {
        const TTextStore::Location line = store_->FirstSegment(CaretLocation());
        indent = IndentOfLine(line.lineStart, caret_);
        if (indent < 0) {
            // An empty line: take the nearest previous line that holds more than blanks.
            indent = 0;
            Offset start = line.lineStart;
            for (int budget = 0; start > 0 && budget < kLineSearchBudget; ++budget) {
                const TTextStore::Location prev = store_->FirstSegment(store_->Locate(start - 1));
                const Offset end = store_->LogicalLineEnd(prev);
                const std::int32_t prevIndent = IndentOfLine(prev.lineStart, end);
                if (prevIndent >= 0 && prev.lineStart + prevIndent < end) {
                    bool onlyBlanks = true;
                    for (Offset p = prev.lineStart; p < end && onlyBlanks; ++p) onlyBlanks = IsBlank(store_->CharAt(p));
                    if (!onlyBlanks) {
                        indent = prevIndent;
                        break;
                    }
                }
                start = prev.lineStart;
            }
        }
    }
    ReplaceSelection("\r");
    if (indent > 0) ReplaceSelection(FillText(0, indent));
}

// Where a TAB fills to: the next tab stop, or with smoTabToColumn the start of the next word on
// the nearest previous line that reaches past the caret's column.
std::int32_t TCustomCodeMemo::TabFillTarget() {
    const std::int32_t column = CaretColumn();
    const TCM_Settings& settings = Settings();
    if (!HasOption(smoTabToColumn)) return settings.NextTabStop(column);
    LineIndex line = CaretLine();
    for (int budget = 0; line > 0 && budget < kLineSearchBudget; ++budget) {
        const TTextStore::Location loc = store_->LineByIndex(--line);
        const TLineRecord& record = store_->Record(loc.record);
        const std::int32_t length = record.ContentLength();
        const char* text = store_->TextOf(record);
        std::int32_t col = 0;
        std::int32_t i = 0;
        while (i < length) {
            const std::int32_t next = text[i] == '\t' ? settings.NextTabStop(col) : col + 1;
            if (next > column) break;
            col = next;
            ++i;
        }
        if (i >= length) continue;  // the line does not reach past the caret's column
        while (i < length && !IsBlank(text[i])) {
            col = text[i] == '\t' ? settings.NextTabStop(col) : col + 1;
            ++i;
        }
        while (i < length && IsBlank(text[i])) {
            col = text[i] == '\t' ? settings.NextTabStop(col) : col + 1;
            ++i;
        }
        if (col > column) return col;
    }
    return settings.NextTabStop(column);
}

void TCustomCodeMemo::TabFill() {
    TOperation op(*this);
    TCodeMemoUndoGroup group(*this, ugTyping);
    const std::int32_t column = CaretColumn();
    const std::int32_t target = TabFillTarget();
    // The fill starts at the caret's column; a TAB counts from there.
    ReplaceSelection(FillText(column, target));
}

// ---------------------------------------------------------------- keys and actions

bool TCustomCodeMemo::KeyDown(std::uint16_t key, TShiftState shift) {
    if (OnKeyDown) {
        OnKeyDown(key, shift);
        if (key == 0) return true;
    }
    TCM_Settings& settings = Settings();
    if (runExpansionHooks(*this, settings, key, shift)) return true;
    extendKey_ = (shift & ssShift) != 0;
    TShiftState matchShift = shift;
    switch (key) {
        case VK_BACK:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            matchShift = static_cast<TShiftState>(matchShift & ~ssShift);
            break;
        default:
            break;
    }
    bool handled = false;
    std::uint16_t k = key;
    TKeyboardActionContoller& keys = settings.keys;
    const auto result = keys.ProcessKey(k, matchShift, handled);
    if (result == TKeyboardActionContoller::TMatch::Recognised) {
        std::int32_t code = keys.Keys().LastAction();
        if (OnCommandRecognised) OnCommandRecognised(code);
        ExecuteAction(code, 0, extendKey_);
    }
    return handled;
}

Offset TCustomCodeMemo::WordLeft(Offset from) {
    Offset p = from;
    while (p > 0 && !IsWordChar(static_cast<unsigned char>(store_->CharAt(p - 1)))) --p;
    while (p > 0 && IsWordChar(static_cast<unsigned char>(store_->CharAt(p - 1)))) --p;
    return p;
}

Offset TCustomCodeMemo::WordRight(Offset from) {
    const Offset count = store_->CharCount();
    Offset p = from;
    while (p < count && IsWordChar(static_cast<unsigned char>(store_->CharAt(p)))) ++p;
    while (p < count && !IsWordChar(static_cast<unsigned char>(store_->CharAt(p)))) ++p;
    return p;
}

void TCustomCodeMemo::VerticalMove(std::int32_t lines, bool extend) {
    const std::int32_t column = HasOption(smoColumnTrack) ? columnMemory_ : CaretColumn();
    PlaceCaret(CaretLine() + lines, column, extend);
    if (!HasOption(smoColumnTrack)) columnMemory_ = CaretColumn();
}

void TCustomCodeMemo::DeleteAction() {
    if (readOnly) return;
    TOperation op(*this);
    TCodeMemoUndoGroup group(*this, ugDelete);
    if (beyondEol_ && !HasSelection()) FillToCaret();
    if (!HasSelection()) {
        if (caret_ >= store_->CharCount()) return;
        anchor_ = caret_;
        caret_ = caret_ + 1;
    }
    ReplaceSelection({});
}

void TCustomCodeMemo::BackspaceAction() {
    if (readOnly) return;
    if (beyondEol_ && !HasSelection()) {
        --virtualColumn_;
        if (virtualColumn_ <= DisplayColumnOf(caret_)) beyondEol_ = false;
        host_.CaretChanged();
        return;
    }
    TOperation op(*this);
    TCodeMemoUndoGroup group(*this, ugDelete);
    if (!HasSelection()) {
        if (caret_ <= 0) return;
        anchor_ = caret_;
        caret_ = caret_ - 1;
    }
    ReplaceSelection({});
}

void TCustomCodeMemo::DeleteLineAction() {
    if (readOnly || HasSelection() || store_->First() == kNoRecord) return;
    const TTextStore::Location loc = CaretLocation();
    if (loc.lineStart >= store_->CharCount()) return;  // the empty line after a final break
    TOperation op(*this);
    TCodeMemoUndoGroup group(*this, ugDeleteLine);
    anchor_ = loc.lineStart;
    caret_ = loc.lineStart + store_->Record(loc.record).length;
    ReplaceSelection({});
}

void TCustomCodeMemo::DeleteWordAction(bool previous) {
    if (readOnly) return;
    const Offset target = previous ? WordLeft(caret_) : WordRight(caret_);
    if (target == caret_) return;
    TOperation op(*this);
    TCodeMemoUndoGroup group(*this, previous ? ugDelPrevWord : ugDelNextWord);
    ExecuteAction(previous ? caWORDLEFT : caWORDRIGHT, 0, true);
    DeleteAction();
}

void TCustomCodeMemo::ExecuteAction(std::int32_t code, std::int32_t, bool extend) {
    const auto endOfLine = [&]() {
        const TTextStore::Location loc = CaretLocation();
        return caret_ == SegmentContentEnd(loc) && (caret_ >= store_->CharCount() || store_->CharAt(caret_) == '\r');
    };
    switch (code) {
        case caLEFT:
            if (beyondEol_) {
                --virtualColumn_;
                if (virtualColumn_ <= DisplayColumnOf(caret_)) beyondEol_ = false;
                if (!extend) anchor_ = caret_;
            } else {
                MoveCaret(caret_ - 1, extend);
            }
            columnMemory_ = CaretColumn();
            break;
        case caRIGHT:
            if (HasOption(smoCaretAfterEOL) && (beyondEol_ || endOfLine())) {
                virtualColumn_ = CaretColumn() + 1;
                beyondEol_ = true;
                if (!extend) anchor_ = caret_;
            } else {
                MoveCaret(caret_ + 1, extend);
            }
            columnMemory_ = CaretColumn();
            break;
        case caLINEHOME:
            MoveCaret(CaretLocation().lineStart, extend);
            columnMemory_ = 0;
            break;
        case caLINEEND: {
            const TTextStore::Location loc = CaretLocation();
            Offset end = SegmentContentEnd(loc);
            while (end > loc.lineStart && IsBlank(store_->CharAt(end - 1))) --end;
            MoveCaret(end, extend);
            columnMemory_ = CaretColumn();
            break;
        }
        case caUP:
            VerticalMove(-1, extend);
            break;
        case caDOWN:
            VerticalMove(1, extend);
            break;
        case caPAGEUP:
        case caPAGEDOWN: {
            const std::int32_t page = VisibleLines() * (code == caPAGEUP ? -1 : 1);
            VerticalMove(page, extend);
            firstVisible_ = std::clamp<LineIndex>(firstVisible_ + page, 0, std::max<LineIndex>(store_->LineCount() - 1, 0));
            break;
        }
        case caWORDLEFT:
            MoveCaret(WordLeft(caret_), extend);
            columnMemory_ = CaretColumn();
            break;
        case caWORDRIGHT:
            MoveCaret(WordRight(caret_), extend);
            columnMemory_ = CaretColumn();
            break;
        case caDOCSTART:
            MoveCaret(0, extend);
            columnMemory_ = 0;
            break;
        case caDOCEND:
            MoveCaret(store_->CharCount(), extend);
            columnMemory_ = CaretColumn();
            break;
        case caCUT:
            CutToClipboard();
            break;
        case caCOPY:
            CopyToClipboard();
            break;
        case caPASTE:
            PasteFromClipboard();
            break;
        case caDELETE:
            DeleteAction();
            break;
        case caBACKSPACE:
            BackspaceAction();
            break;
        case caBLOCKIND:
            IndentSelection();
            break;
        case caBLOCKUND:
            UnindentSelection();
            break;
        case caINSTOGGLE:
            SetOverwrite(!overwrite_);
            break;
        case caDELETELINE:
            DeleteLineAction();
            break;
        case caUNDO:
            Undo();
            break;
        case caREDO:
            Redo();
            break;
        case caDELPREVWORD:
            DeleteWordAction(true);
            break;
        case caPRINTSEL:
            host_.PrintSelection();
            break;
        case caDELNEXTWORD:
            DeleteWordAction(false);
            break;
        case caSCROLLUP:
            if (firstVisible_ > 0) {
                --firstVisible_;
                if (CaretLine() >= firstVisible_ + VisibleLines()) VerticalMove(-1, extend);
                host_.Invalidate();
            }
            return;
        case caSCROLLDOWN:
            if (firstVisible_ < store_->LineCount() - 1) {
                if (CaretLine() == firstVisible_) VerticalMove(1, extend);
                ++firstVisible_;
                host_.Invalidate();
            }
            return;
        default:
            if (code >= caSETBOOKMARK0 && code < caSETBOOKMARK0 + 10) {
                SetBookmark(code - caSETBOOKMARK0);
            } else if (code >= caGOTOBOOKMARK0 && code < caGOTOBOOKMARK0 + 10) {
                GotoBookmark(code - caGOTOBOOKMARK0);
                return;
            } else {
                return;  // unknown codes do nothing
            }
            break;
    }
    ScrollCaretIntoView();
    host_.CaretChanged();
}

}  // namespace quarry
