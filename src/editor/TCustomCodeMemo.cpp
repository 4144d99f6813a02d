#include "editor/TCustomCodeMemo.h"
#include "editor/ExpansionHooks.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "text/ECodeMemo.h"
#include "text/EFileSaveError.h"
#include "text/EFileTooLarge.h"
#include "text/EditorMessages.h"
#include "text/Format.h"
#include "text/LineEnds.h"
#include "editor/TCodeMemoHost.h"
#include "editor/TCodeMemoMessages.h"
#include "editorsettings/TCodeMemoKeyHook.h"
#include "highlight/TCodeMemoScanner.h"
#include "editor/TCodeMemoStrings.h"
#include "editorsettings/TEditorActions.h"
#include "text/TFileStream.h"
#include "text/TMemoryStream.h"
#include "editor/TWordWrapSegmenter.h"
#include "editorsettings/VirtualKeys.h"

namespace quarry {

namespace {
// Searches for a line to take indentation or tab targets from stop after this many lines, so
// that a keystroke costs a bounded time on any text.
constexpr int kLineSearchBudget = 10000;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

// Collects the changes of one top-level operation; the outermost one re-scans the changed lines
// and announces the change once, when it ends normally.
class TCustomCodeMemo::TOperation final {
public:
    explicit TOperation(TCustomCodeMemo& memo) : memo_(memo), exceptions_(std::uncaught_exceptions()) {
        ++memo_.operationDepth_;
    }
    ~TOperation() {
        if (--memo_.operationDepth_ > 0) return;
        if (std::uncaught_exceptions() > exceptions_) {
            memo_.changedFrom_ = -1;
            memo_.textChanged_ = false;
            return;
        }
        try {
            memo_.AfterEdit();
        } catch (...) {
            // A faulty parser must not take the edit down with it; the text stays as edited.
        }
    }
    TOperation(const TOperation&) = delete;
    TOperation& operator=(const TOperation&) = delete;

private:
    TCustomCodeMemo& memo_;
    int exceptions_;
};

// ---------------------------------------------------------------- construction

TCustomCodeMemo::TCustomCodeMemo(TCodeMemoHost& host)
    : host_(host),
      store_(std::make_unique<TTextStore>()),
      scanner_(std::make_unique<TCodeMemoScanner>(*store_)),
      segmenter_(std::make_unique<TWordWrapSegmenter>()) {
    lines_ = std::make_unique<TCodeMemoStrings>(*this);
    segmenter_->charWidth = [this](unsigned char c) { return host_.CharWidth(c); };
    ApplySettings();
}

std::intptr_t TCustomCodeMemo::Perform(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return TCodeMemoMessages::Perform(*this, message, wParam, lParam);
}

TCustomCodeMemo::~TCustomCodeMemo() {
    for (TCustomCodeMemoParser* parser : parsers_)
        if (parser) parser->RemoveClient(*this);
}

// ---------------------------------------------------------------- settings and parsers

TCM_Settings& TCustomCodeMemo::Settings() {
    TCustomCodeMemoParser* parser = ActiveParserObject();
    return parser ? parser->Settings() : ownSettings_;
}

TCustomCodeMemoParser* TCustomCodeMemo::ActiveParserObject() const {
    return activeSlot_ >= 1 && activeSlot_ <= kParserSlots ? parsers_[static_cast<std::size_t>(activeSlot_ - 1)]
                                                          : nullptr;
}

TCustomCodeMemoParser* TCustomCodeMemo::Parser(int slot) const {
    if (slot < 1 || slot > kParserSlots) throw ECodeMemo(msg::ParserIndexRange);
    return parsers_[static_cast<std::size_t>(slot - 1)];
}

void TCustomCodeMemo::SetParser(int slot, TCustomCodeMemoParser* parser) {
    if (slot < 1 || slot > kParserSlots) throw ECodeMemo(msg::ParserIndexRange);
    TCustomCodeMemoParser*& entry = parsers_[static_cast<std::size_t>(slot - 1)];
    if (entry == parser) return;
    TCustomCodeMemoParser* old = entry;
    entry = parser;
    if (old && std::find(parsers_.begin(), parsers_.end(), old) == parsers_.end()) old->RemoveClient(*this);
    if (parser) parser->AddClient(*this);
    if (slot == activeSlot_) ApplySettings();
}

void TCustomCodeMemo::SetActiveParser(int slot) {
    if (slot < 0 || slot > kParserSlots) throw ECodeMemo(msg::ParserIndexRange);
    activeSlot_ = slot;
    ApplySettings();
}

void TCustomCodeMemo::ParserDestroyed(TCustomCodeMemoParser& parser) {
    bool active = false;
    for (std::size_t i = 0; i < parsers_.size(); ++i)
        if (parsers_[i] == &parser) {
            parsers_[i] = nullptr;
            active = active || static_cast<int>(i) + 1 == activeSlot_;
        }
    if (active) ApplySettings();
}

void TCustomCodeMemo::ParserChanged(TCustomCodeMemoParser& parser) {
    if (&parser == ActiveParserObject()) Perform(cm::CM_PARSERCHANGED);
}

// Takes option word, wrap column and font from the active settings and scans everything again.
void TCustomCodeMemo::ApplySettings() {
    TCM_Settings& settings = Settings();
    options_ = settings.options;
    wrapAtColumn_ = settings.wrapAtColumn;
    SetFont(settings.font);
    UpdateSegmenter();
    for (RecordId rec = store_->First(); rec != kNoRecord; rec = store_->Next(rec)) store_->DropStyles(rec);
    if (ActiveParserObject() && store_->CharCount() > 0) {
        TOperation op(*this);
        NoteChange(0);
    }
    host_.Invalidate();
}

void TCustomCodeMemo::SetFont(const TCM_Font& font) {
    font_ = font;
    host_.SetFont(font_);
    UpdateSegmenter();
    host_.Invalidate();
}

void TCustomCodeMemo::SetOptions(TCodeMemoOptions options) {
    options_ = options;
    UpdateSegmenter();
    if (!HasOption(smoCaretAfterEOL)) beyondEol_ = false;
    host_.Invalidate();
}

void TCustomCodeMemo::SetWrapAtColumn(std::int32_t column) {
    wrapAtColumn_ = std::max<std::int32_t>(column, 0);
    UpdateSegmenter();
}

void TCustomCodeMemo::SetWrapOverride(const std::string& characters) {
    Settings().wrapOverride = characters;
    UpdateSegmenter();
}

void TCustomCodeMemo::Resized() {
    UpdateSegmenter();
    host_.Invalidate();
}

// Installs the wrap segmenter (or none) and re-cuts the text when the cut would differ.
void TCustomCodeMemo::UpdateSegmenter() {
    if (!segmenter_) return;
    const TCM_Settings& settings = Settings();
    const bool wrap = HasOption(smoWordWrap);
    int width = 8;
    if (wrapAtColumn_ > 0) {
        width = wrapAtColumn_ * host_.AverageCharWidth();
    } else {
        width = host_.ClientWidth() - (HasOption(smoShowGutter) ? settings.gutter : 0) - 2 * settings.margin;
    }
    if (width <= 0) width = 8;
    const bool overrideOn = HasOption(smoWrapOverride);
    const bool changed = (store_->Segmenter() != nullptr) != wrap ||
                         (wrap && (segmenter_->widthPixels != width || segmenter_->overrideOn != overrideOn ||
                                   segmenter_->overrideChars != settings.wrapOverride ||
                                   segmenter_->settings != &settings));
    segmenter_->widthPixels = width;
    segmenter_->tabWidthPixels = host_.AverageCharWidth();
    segmenter_->settings = &settings;
    segmenter_->overrideOn = overrideOn;
    segmenter_->overrideChars = settings.wrapOverride;
    store_->SetSegmenter(wrap ? segmenter_.get() : nullptr);
    if (changed) RewrapAll();
}

void TCustomCodeMemo::RewrapAll() {
    store_->Resegment();
    host_.Invalidate();
}

bool TCustomCodeMemo::IsWordChar(unsigned char c) const {
    if (fn_CharIsInWord) return fn_CharIsInWord(c);
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 128;
}

// ---------------------------------------------------------------- text

std::string TCustomCodeMemo::Text() { return store_->Text(); }

void TCustomCodeMemo::SetText(std::string_view text) {
    TOperation op(*this);
    store_->Clear();
    store_->InsertText(0, text.data(), static_cast<std::int32_t>(text.size()));
    if (UndoStack()) UndoStack()->Reset();
    detachedEdits_ = false;
    ClearSelectionState(0);
    firstVisible_ = 0;
    leftColumn_ = 0;
    NoteChange(0);
}

void TCustomCodeMemo::Clear() { SetText({}); }

bool TCustomCodeMemo::SelectWordAt(Offset offset) {
    const auto inWord = [&](Offset p) {
        return p >= 0 && p < store_->CharCount() && IsWordChar(static_cast<unsigned char>(store_->CharAt(p)));
    };
    if (!inWord(offset)) return false;
    Offset start = offset;
    Offset end = offset;
    while (inWord(start - 1)) --start;
    while (inWord(end)) ++end;
    SetSelection(start, end);
    return true;
}

std::string TCustomCodeMemo::SelText() { return store_->GetText(SelStart(), SelStart() + SelLength()); }

// ---------------------------------------------------------------- caret geometry

TTextStore::Location TCustomCodeMemo::CaretLocation() { return store_->Locate(caret_); }

LineIndex TCustomCodeMemo::CaretLine() {
    if (store_->First() == kNoRecord) return 0;
    return CaretLocation().line;
}

std::int32_t TCustomCodeMemo::DisplayColumnOf(Offset offset) {
    if (store_->First() == kNoRecord) return 0;
    const TTextStore::Location loc = store_->Locate(offset);
    if (loc.lineStart >= store_->CharCount() && offset >= store_->CharCount() && store_->Record(loc.record).EndsWithCR())
        return 0;
    const TLineRecord& rec = store_->Record(loc.record);
    const std::int32_t upTo = std::min<std::int32_t>(offset - loc.lineStart, rec.length);
    if (!(rec.flags & lfHasTab)) return upTo;
    const TCM_Settings& settings = Settings();
    std::int32_t column = 0;
    const char* text = store_->TextOf(rec);
    for (std::int32_t i = 0; i < upTo; ++i) column = text[i] == '\t' ? settings.NextTabStop(column) : column + 1;
    return column;
}

std::int32_t TCustomCodeMemo::CaretColumn() { return beyondEol_ ? virtualColumn_ : DisplayColumnOf(caret_); }

// The offset where the caret may stand last in a segment: before its CR, before the last
// character of a segment that continues on the next one, or the end of the text.
std::int32_t TCustomCodeMemo::SegmentContentEnd(const TTextStore::Location& segment) {
    if (segment.record == kNoRecord || segment.lineStart >= store_->CharCount()) return segment.lineStart;
    const TLineRecord& rec = store_->Record(segment.record);
    if (rec.EndsWithCR() || rec.next != kNoRecord) return segment.lineStart + rec.length - 1;
    return segment.lineStart + rec.length;
}

Offset TCustomCodeMemo::OffsetAtColumn(const TTextStore::Location& segment, std::int32_t column, std::int32_t* reached) {
    const Offset end = SegmentContentEnd(segment);
    std::int32_t col = 0;
    Offset pos = segment.lineStart;
    if (segment.record != kNoRecord && segment.lineStart < store_->CharCount()) {
        const TLineRecord& rec = store_->Record(segment.record);
        const TCM_Settings& settings = Settings();
        while (pos < end) {
            const char c = store_->TextOf(rec)[pos - segment.lineStart];
            const std::int32_t next = c == '\t' ? settings.NextTabStop(col) : col + 1;
            if (next > column) break;
            col = next;
            ++pos;
        }
    }
    if (reached) *reached = col;
    return pos;
}

void TCustomCodeMemo::MoveCaretTo(LineIndex line, std::int32_t column, bool extend) {
    PlaceCaret(line, column, extend);
    columnMemory_ = CaretColumn();
}

void TCustomCodeMemo::PlaceCaret(LineIndex line, std::int32_t column, bool extend) {
    if (store_->First() == kNoRecord) {
        MoveCaret(0, extend);
        return;
    }
    const TLineRecord& last = store_->Record(store_->Last());
    const LineIndex lastLine = store_->LineCount() - (last.EndsWithCR() ? 0 : 1);
    line = std::clamp<LineIndex>(line, 0, lastLine);
    TTextStore::Location segment;
    if (line == store_->LineCount())
        segment = {store_->Last(), line, store_->CharCount()};
    else
        segment = store_->LineByIndex(line);
    std::int32_t reached = 0;
    const Offset offset = OffsetAtColumn(segment, column, &reached);
    MoveCaret(offset, extend);
    if (HasOption(smoCaretAfterEOL) && column > reached && offset == SegmentContentEnd(segment)) {
        beyondEol_ = true;
        virtualColumn_ = column;
    }
}

void TCustomCodeMemo::MoveCaret(Offset caret, bool extend) {
    caret_ = std::clamp<Offset>(caret, 0, store_->CharCount());
    if (!extend) anchor_ = caret_;
    beyondEol_ = false;
    host_.CaretChanged();
}

void TCustomCodeMemo::ClearSelectionState(Offset caret) {
    anchor_ = caret_ = std::clamp<Offset>(caret, 0, store_->CharCount());
    beyondEol_ = false;
    columnMemory_ = 0;
}

void TCustomCodeMemo::SetSelection(Offset anchor, Offset caret) {
    const Offset count = store_->CharCount();
    anchor_ = std::clamp<Offset>(anchor, 0, count);
    caret_ = std::clamp<Offset>(caret, 0, count);
    beyondEol_ = false;
    columnMemory_ = DisplayColumnOf(caret_);
    host_.CaretChanged();
    host_.Invalidate();
}

void TCustomCodeMemo::SetOverwrite(bool overwrite) {
    overwrite_ = overwrite;
    host_.CaretChanged();
}

TCustomCodeMemo::TCaretShape TCustomCodeMemo::CaretShape() {
    TCaretShape shape;
    const int charWidth = host_.AverageCharWidth();
    const TCM_Settings& settings = Settings();
    const int textLeft = (HasOption(smoShowGutter) ? settings.gutter : 0) + settings.margin;
    shape.x = textLeft + (CaretColumn() - leftColumn_) * charWidth;
    shape.y = (CaretLine() - firstVisible_) * host_.LineHeight();
    shape.height = host_.LineHeight();
    shape.width = 2;
    if (overwrite_ && HasOption(smoBlockOverwriteCursor)) {
        const char under = caret_ < store_->CharCount() ? store_->CharAt(caret_) : '\r';
        shape.width = (beyondEol_ || under == '\r') ? charWidth : host_.CharWidth(static_cast<unsigned char>(under));
    }
    return shape;
}

// ---------------------------------------------------------------- view

std::int32_t TCustomCodeMemo::VisibleLines() const {
    const int height = host_.LineHeight();
    return std::max(1, height > 0 ? host_.ClientHeight() / height : 1);
}

void TCustomCodeMemo::SetFirstVisibleLine(LineIndex line) {
    firstVisible_ = std::clamp<LineIndex>(line, 0, std::max<LineIndex>(store_->LineCount() - 1, 0));
    host_.Invalidate();
}

void TCustomCodeMemo::SetLeftColumn(std::int32_t column) {
    leftColumn_ = std::max<std::int32_t>(column, 0);
    host_.Invalidate();
}

void TCustomCodeMemo::ScrollCaretIntoView() {
    const LineIndex line = CaretLine();
    const std::int32_t visible = VisibleLines();
    if (line < firstVisible_) firstVisible_ = line;
    if (line >= firstVisible_ + visible) firstVisible_ = line - visible + 1;
    const std::int32_t column = CaretColumn();
    const int charWidth = std::max(1, host_.AverageCharWidth());
    const TCM_Settings& settings = Settings();
    const int textWidth = host_.ClientWidth() - (HasOption(smoShowGutter) ? settings.gutter : 0) - settings.margin;
    const std::int32_t columns = std::max(1, textWidth / charWidth);
    if (column < leftColumn_) leftColumn_ = column;
    if (column >= leftColumn_ + columns) leftColumn_ = column - columns + 1;
    host_.Invalidate();
}

// ---------------------------------------------------------------- recording and replacing

void TCustomCodeMemo::Record(std::int32_t kind, std::int32_t phase, std::string_view removed,
                             std::string_view inserted) {
    TUndoStack* undo = UndoStack();
    if (!undo || !undo->enabled) {
        detachedEdits_ = true;
        return;
    }
    try {
        if (phase == 1)
            undo->BeginTransaction(kind, {anchor_, caret_}, std::string(removed), std::string(inserted));
        else
            undo->EndTransaction(kind, {anchor_, caret_});
    } catch (const ECodeMemo&) {
        host_.Beep();
        throw;
    }
}

void TCustomCodeMemo::NoteChange(Offset at) {
    changedFrom_ = changedFrom_ < 0 ? at : std::min(changedFrom_, at);
    textChanged_ = true;
}

// Replaces [start, end) by normalised text as one recorded transaction (kind 1, or 4 for a
// file's contents); the caret ends after the new text.
void TCustomCodeMemo::ReplaceRange(Offset start, Offset end, std::string_view normalised, std::int32_t kind) {
    anchor_ = start;
    caret_ = end;
    const std::string removed = store_->GetText(start, end);
    Record(kind, 1, removed, normalised);
    store_->DeleteRange(start, end);
    const std::int32_t inserted =
        store_->InsertText(start, normalised.data(), static_cast<std::int32_t>(normalised.size()));
    anchor_ = caret_ = start + inserted;
    beyondEol_ = false;
    Record(kind, 2);
    NoteChange(start);
}

// A change that records nothing (undo and redo themselves, the Lines view).
void TCustomCodeMemo::RawReplace(Offset start, Offset end, std::string_view text) {
    store_->DeleteRange(start, end);
    store_->InsertText(start, text.data(), static_cast<std::int32_t>(text.size()));
    NoteChange(start);
}

void TCustomCodeMemo::ExternalReplace(Offset start, Offset end, std::string_view text) {
    TOperation op(*this);
    const Offset before = store_->CharCount();
    RawReplace(start, end, text);
    const Offset delta = store_->CharCount() - before;
    const auto follow = [&](Offset& p) {
        if (p >= end)
            p += delta;
        else if (p > start)
            p = start;
    };
    follow(anchor_);
    follow(caret_);
    beyondEol_ = false;
}

std::string TCustomCodeMemo::FillText(std::int32_t fromColumn, std::int32_t toColumn) {
    std::string fill;
    std::int32_t column = fromColumn;
    if (HasOption(smoUseTAB) && HasOption(smoSmartFill)) {
        const TCM_Settings& settings = Settings();
        for (std::int32_t next = settings.NextTabStop(column); next <= toColumn; next = settings.NextTabStop(column)) {
            fill += '\t';
            column = next;
        }
    }
    if (toColumn > column) fill.append(static_cast<std::size_t>(toColumn - column), ' ');
    return fill;
}

// Fills the gap between the line end and a caret standing beyond it, recorded as a buffer
// insertion (kind 10).
void TCustomCodeMemo::FillToCaret() {
    if (!beyondEol_ || HasSelection()) return;
    const std::int32_t endColumn = DisplayColumnOf(caret_);
    const std::string fill = FillText(endColumn, virtualColumn_);
    beyondEol_ = false;
    if (fill.empty()) return;
    const Offset at = caret_;
    TUndoStack* undo = UndoStack();
    if (undo && undo->enabled)
        undo->RecordBufferInsertion(at, fill);
    else
        detachedEdits_ = true;
    store_->InsertText(at, fill);
    anchor_ = caret_ = at + static_cast<Offset>(fill.size());
    NoteChange(at);
}

void TCustomCodeMemo::ReplaceSelection(std::string_view text) {
    if (readOnly) return;
    TOperation op(*this);
    TCodeMemoUndoGroup group(*this, ugReplaceSel);
    FillToCaret();
    std::string normalised;
    NormaliseLineEnds(text, normalised);
    if (normalised.empty() && !HasSelection()) return;
    ReplaceRange(SelStart(), SelStart() + SelLength(), normalised);
    columnMemory_ = CaretColumn();
    ScrollCaretIntoView();
}

void TCustomCodeMemo::AfterEdit() {
    if (changedFrom_ >= 0 && OnEdited) OnEdited(changedFrom_);
    if (changedFrom_ >= 0) Rescan();
    changedFrom_ = -1;
    const bool changed = textChanged_;
    textChanged_ = false;
    if (changed) {
        host_.Invalidate();
        if (OnChange) OnChange();
    }
}

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

// ---------------------------------------------------------------- clipboard

void TCustomCodeMemo::CopyToClipboard() {
    if (!HasSelection()) return;
    host_.SetClipboardText(WithPlatformLineEnds(SelText()));
}

void TCustomCodeMemo::CutToClipboard() {
    if (readOnly || !HasSelection()) return;
    CopyToClipboard();
    TOperation op(*this);
    TCodeMemoUndoGroup group(*this, ugCut);
    ReplaceSelection({});
}

void TCustomCodeMemo::PasteFromClipboard() {
    if (readOnly || !host_.HasClipboardText()) return;
    const std::string text = host_.ClipboardText();
    TOperation op(*this);
    TCodeMemoUndoGroup group(*this, ugPaste);
    ReplaceSelection(text);
}

// ---------------------------------------------------------------- block indent

void TCustomCodeMemo::IndentSelection() {
    if (readOnly || store_->First() == kNoRecord) return;
    TOperation op(*this);
    const std::int32_t step = std::max<std::int32_t>(Settings().indentStep, 1);
    const std::string blanks(static_cast<std::size_t>(step), ' ');
    Offset selStart = SelStart();
    Offset selEnd = SelStart() + SelLength();
    const bool anchorFirst = anchor_ <= caret_;
    const std::int32_t firstLine = store_->LogicalLineOf(selStart);
    std::int32_t lastLine = store_->LogicalLineOf(selEnd);
    if (selEnd > selStart && store_->LocateLogicalLine(lastLine).lineStart == selEnd) --lastLine;
    TCodeMemoUndoGroup group(*this, ugBlockIndent);
    for (std::int32_t line = firstLine; line <= lastLine; ++line) {
        const Offset at = store_->LocateLogicalLine(line).lineStart;
        if (at >= store_->CharCount() && line > firstLine) break;
        TUndoStack* undo = UndoStack();
        if (undo && undo->enabled)
            undo->RecordBufferInsertion(at, blanks);
        else
            detachedEdits_ = true;
        store_->InsertText(at, blanks);
        NoteChange(at);
        // The selection keeps its characters; a block that starts at a line start keeps the
        // new indentation inside it.
        const bool block = selEnd > selStart;
        if (selStart > at || (selStart == at && !block)) selStart += step;
        if (selEnd > at || (selEnd == at && !block)) selEnd += step;
    }
    anchor_ = anchorFirst ? selStart : selEnd;
    caret_ = anchorFirst ? selEnd : selStart;
}

void TCustomCodeMemo::UnindentSelection() {
    if (readOnly || store_->First() == kNoRecord) return;
    TOperation op(*this);
    const std::int32_t step = std::max<std::int32_t>(Settings().indentStep, 1);
    Offset selStart = SelStart();
    Offset selEnd = SelStart() + SelLength();
    const bool anchorFirst = anchor_ <= caret_;
    const std::int32_t firstLine = store_->LogicalLineOf(selStart);
    std::int32_t lastLine = store_->LogicalLineOf(selEnd);
    if (selEnd > selStart && store_->LocateLogicalLine(lastLine).lineStart == selEnd) --lastLine;
    TCodeMemoUndoGroup group(*this, ugBlockUnindent);
    for (std::int32_t line = firstLine; line <= lastLine; ++line) {
        const Offset at = store_->LocateLogicalLine(line).lineStart;
        if (at >= store_->CharCount()) break;
        std::int32_t spaces = 0;
        while (spaces < step && store_->CharAt(at + spaces) == ' ') ++spaces;
        std::int32_t removed = spaces;
        if (spaces > 0) {
            TUndoStack* undo = UndoStack();
            if (undo && undo->enabled)
                undo->RecordBlankRemoval(at, spaces);
            else
                detachedEdits_ = true;
            store_->DeleteRange(at, at + spaces);
            NoteChange(at);
        } else if (store_->CharAt(at) == '\t') {
            ReplaceRange(at, at + 1, {});
            removed = 1;
        }
        auto shift = [&](Offset& p) {
            if (p > at) p = std::max(at, p - removed);
        };
        shift(selStart);
        shift(selEnd);
    }
    anchor_ = anchorFirst ? selStart : selEnd;
    caret_ = anchorFirst ? selEnd : selStart;
}

// ---------------------------------------------------------------- undo

bool TCustomCodeMemo::CanUndo() const {
    const TUndoStack* undo = UndoStack();
    return undo && undo->Count() > 0;
}

bool TCustomCodeMemo::CanRedo() const {
    const TUndoStack* undo = UndoStack();
    return undo && undo->AboveTop() != nullptr;
}

void TCustomCodeMemo::BeginUndoGroup(std::int32_t id) {
    if (TUndoStack* undo = UndoStack()) undo->BeginGroup(id, {anchor_, caret_});
}

void TCustomCodeMemo::EndUndoGroup(std::int32_t id) {
    if (TUndoStack* undo = UndoStack()) undo->EndGroup(id, {anchor_, caret_});
}

bool TCustomCodeMemo::Modified() const {
    const TUndoStack* undo = UndoStack();
    return (undo && undo->Modified()) || detachedEdits_;
}

void TCustomCodeMemo::SetModified(bool modified) {
    if (modified) return;
    if (TUndoStack* undo = UndoStack()) undo->Reset();
    detachedEdits_ = false;
}

void TCustomCodeMemo::ApplyUndoTransaction(const TUndoStack::Transaction& t, bool redo) {
    const Offset start = t.before.Start();
    if (redo)
        RawReplace(start, start + static_cast<Offset>(t.removed.size()), t.inserted);
    else
        RawReplace(start, start + static_cast<Offset>(t.inserted.size()), t.removed);
    RestoreSelection(redo ? t.after : t.before);
    beyondEol_ = false;
}

void TCustomCodeMemo::RestoreSelection(TUndoStack::Selection selection) {
    anchor_ = std::clamp<Offset>(selection.anchor, 0, store_->CharCount());
    caret_ = std::clamp<Offset>(selection.caret, 0, store_->CharCount());
}

void TCustomCodeMemo::UndoOne() {
    TUndoStack& undo = *UndoStack();
    switch (undo.TopStep()) {
        case TUndoStack::TStep::None:
            return;
        case TUndoStack::TStep::Transaction:
            ApplyUndoTransaction(undo.PopTransaction(), false);
            return;
        case TUndoStack::TStep::GroupBegin: {
            // A group whose end was never written: its begin entries are all that is left.
            TUndoStack::Selection selection;
            undo.PopGroupMarker(upGroupBegin, selection);
            return;
        }
        case TUndoStack::TStep::GroupEnd: {
            TUndoStack::Selection endSelection;
            const std::int32_t id = undo.PopGroupMarker(upGroupEnd, endSelection);
            while (true) {
                const TUndoStack::TStep step = undo.TopStep();
                if (step == TUndoStack::TStep::None) break;  // the begin was trimmed away
                if (step == TUndoStack::TStep::GroupEnd) throw ECodeMemo(msg::BadUndoState);
                if (step == TUndoStack::TStep::GroupBegin) {
                    TUndoStack::Selection beginSelection;
                    if (undo.PopGroupMarker(upGroupBegin, beginSelection) != id) throw ECodeMemo(msg::BadUndoState);
                    // The selection the command started from: the block after an indent, the
                    // caret where typing or deleting began.
                    RestoreSelection(beginSelection);
                    break;
                }
                ApplyUndoTransaction(undo.PopTransaction(), false);
            }
            return;
        }
    }
}

void TCustomCodeMemo::RedoOne() {
    TUndoStack& undo = *UndoStack();
    switch (undo.NextRedoStep()) {
        case TUndoStack::TStep::None:
            return;
        case TUndoStack::TStep::Transaction:
            ApplyUndoTransaction(undo.UnpopTransaction(), true);
            return;
        case TUndoStack::TStep::GroupEnd:
            throw ECodeMemo(msg::BadUndoState);
        case TUndoStack::TStep::GroupBegin: {
            TUndoStack::Selection beginSelection;
            const std::int32_t id = undo.UnpopGroupMarker(upGroupBegin, beginSelection);
            while (true) {
                const TUndoStack::TStep step = undo.NextRedoStep();
                if (step == TUndoStack::TStep::None) break;  // an open group: redo what there is
                if (step == TUndoStack::TStep::GroupBegin) throw ECodeMemo(msg::BadUndoState);
                if (step == TUndoStack::TStep::GroupEnd) {
                    TUndoStack::Selection endSelection;
                    if (undo.UnpopGroupMarker(upGroupEnd, endSelection) != id) throw ECodeMemo(msg::BadUndoState);
                    RestoreSelection(endSelection);
                    break;
                }
                ApplyUndoTransaction(undo.UnpopTransaction(), true);
            }
            return;
        }
    }
}

void TCustomCodeMemo::Undo() {
    TUndoStack* undo = UndoStack();
    if (readOnly || !undo || undo->Count() == 0) return;
    TOperation op(*this);
    UndoOne();
    columnMemory_ = CaretColumn();
    ScrollCaretIntoView();
}

void TCustomCodeMemo::Redo() {
    TUndoStack* undo = UndoStack();
    if (readOnly || !undo || !undo->AboveTop()) return;
    TOperation op(*this);
    RedoOne();
    columnMemory_ = CaretColumn();
    ScrollCaretIntoView();
}

// ---------------------------------------------------------------- bookmarks

void TCustomCodeMemo::SetBookmark(int index, std::int32_t line, std::int32_t column) {
    if (index < 0 || index > 9) throw ECodeMemo(msg::BookmarkRange);
    const auto bit = static_cast<std::uint16_t>(1u << index);
    RecordId previous = kNoRecord;
    TTextStore::Location where;
    if (store_->BookmarkColumn(index) != 0 && store_->FindBookmark(index, where)) {
        previous = where.record;
        store_->SetBookmarkBits(previous, 0);
    }
    if (store_->First() == kNoRecord) {
        store_->SetBookmarkColumn(index, 0);
        return;
    }
    TTextStore::Location target;
    if (line == -1) {
        target = store_->FirstSegment(CaretLocation());
        if (target.lineStart >= store_->CharCount() && store_->Record(store_->Last()).EndsWithCR()) {
            target = store_->FirstSegment(store_->LineByIndex(store_->LineCount() - 1));
        }
        column = caret_ - target.lineStart + 1;
    } else {
        target = store_->FirstSegment(store_->LineByIndex(std::max<std::int32_t>(line, 1) - 1));
        column = std::max<std::int32_t>(column, 1);
    }
    if (target.record == previous) {
        // Setting a bookmark on its own line toggles it off.
        store_->SetBookmarkColumn(index, 0);
        host_.Invalidate();
        if (OnBookmarkClear) OnBookmarkClear(index);
        return;
    }
    store_->SetBookmarkBits(target.record, bit);
    for (int other = 0; other < 10; ++other)
        if (other != index && store_->BookmarkColumn(other) != 0) {
            TTextStore::Location o;
            if (!store_->FindBookmark(other, o)) store_->SetBookmarkColumn(other, 0);
        }
    store_->SetBookmarkColumn(index, static_cast<std::uint16_t>(std::min<std::int32_t>(column, 0xFFFF)));
    if (OnBookmarkSet) OnBookmarkSet(index);
    host_.Invalidate();
}

void TCustomCodeMemo::ClearBookmark(int index) {
    if (index < 0 || index > 9) throw ECodeMemo(msg::BookmarkRange);
    TTextStore::Location where;
    const bool set = store_->BookmarkColumn(index) != 0 && store_->FindBookmark(index, where);
    if (set) store_->SetBookmarkBits(where.record, 0);
    store_->SetBookmarkColumn(index, 0);
    if (set && OnBookmarkClear) OnBookmarkClear(index);
    host_.Invalidate();
}

bool TCustomCodeMemo::GetBookmark(int index, std::int32_t& line, std::int32_t& column) {
    if (index < 0 || index > 9) throw ECodeMemo(msg::BookmarkRange);
    TTextStore::Location where;
    if (store_->BookmarkColumn(index) == 0 || !store_->FindBookmark(index, where)) return false;
    line = where.line + 1;
    const Offset end = store_->LogicalLineEnd(where);
    column = std::min<std::int32_t>(store_->BookmarkColumn(index), end - where.lineStart + 1);
    return true;
}

void TCustomCodeMemo::GotoBookmark(int index) {
    if (index < 0 || index > 9) throw ECodeMemo(msg::BookmarkRange);
    TTextStore::Location where;
    if (store_->BookmarkColumn(index) == 0 || !store_->FindBookmark(index, where)) return;
    // Clipped to the logical line, so a line that became shorter sends the caret to its end.
    const Offset end = store_->LogicalLineEnd(where);
    const Offset target = where.lineStart + std::min<std::int32_t>(store_->BookmarkColumn(index), end - where.lineStart + 1) - 1;
    MoveCaret(target, false);
    columnMemory_ = CaretColumn();
    firstVisible_ = std::max<LineIndex>(CaretLine() - VisibleLines() / 2, 0);
    host_.Invalidate();
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

// ---------------------------------------------------------------- line conversion

void TCustomCodeMemo::LogicalToDisplay(std::int32_t& line, std::int32_t& column) {
    if (store_->First() == kNoRecord) {
        line = column = 1;
        return;
    }
    const TTextStore::Location first = store_->LocateLogicalLine(std::max<std::int32_t>(line, 1) - 1);
    const Offset end = store_->LogicalLineEnd(first);
    const Offset offset = std::min<Offset>(first.lineStart + std::max<std::int32_t>(column, 1) - 1, end);
    if (first.lineStart >= store_->CharCount()) {
        line = first.line + 1;
        column = 1;
        return;
    }
    // The end of a wrapped line belongs to its last segment, not to the next line.
    TTextStore::Location seg = store_->Locate(offset);
    if (offset == end && offset == seg.lineStart && seg.record != first.record &&
        !(store_->Record(seg.record).marks & kMarkContinuation)) {
        seg = store_->Locate(offset - 1);
    }
    line = seg.line + 1;
    column = offset - seg.lineStart + 1;
}

void TCustomCodeMemo::DisplayToLogical(std::int32_t& line, std::int32_t& column) {
    if (store_->First() == kNoRecord) {
        line = column = 1;
        return;
    }
    if (line > store_->LineCount()) {
        // Past the records: the empty line after a final line end, which is the last row.
        line = store_->RowCount();
        column = 1;
        return;
    }
    const TTextStore::Location seg = store_->LineByIndex(std::max<std::int32_t>(line, 1) - 1);
    const TTextStore::Location first = store_->FirstSegment(seg);
    const Offset offset = seg.lineStart + std::max<std::int32_t>(column, 1) - 1;
    line = store_->LogicalLineOf(first.lineStart) + 1;
    column = offset - first.lineStart + 1;
}

// ---------------------------------------------------------------- files

void TCustomCodeMemo::LoadFromStream(TStream& stream) {
    TOperation op(*this);
    TUndoStack* undo = UndoStack();
    if (undo) undo->Reset();
    store_->Clear();
    try {
        store_->LoadFromStream(stream, 0);
    } catch (const std::bad_alloc&) {
        // Half a text is worse than none: give the memory back and say why.
        store_->Clear();
        throw ECodeMemo(msg::NotEnoughMemory);
    }
    if (undo) undo->Reset();
    detachedEdits_ = false;
    ClearSelectionState(0);
    firstVisible_ = leftColumn_ = 0;
    NoteChange(0);
}

void TCustomCodeMemo::CheckLoadSize(const std::string& fileName, std::int64_t size) const {
    if (size > store_->CharLimit())
        throw EFileTooLarge(Format(msg::FileTooLarge, fileName.c_str(), static_cast<unsigned long long>(size),
                                   store_->CharLimit()));
}

void TCustomCodeMemo::LoadFromFile(const std::string& fileName) {
    // Opening first: a missing file leaves the text as it was.
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    CheckLoadSize(fileName, stream.Size());
    LoadFromStream(stream);
    if (HasOption(smoTitleAsFilename)) printTitle = fileName;
}

void TCustomCodeMemo::ReloadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    const std::int64_t size = stream.Size();
    CheckLoadSize(fileName, size);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(stream.Read(bytes.data(), size), 0)));
    std::string text;
    NormaliseLineEnds(bytes, text);
    TOperation op(*this);
    ReplaceRange(0, store_->CharCount(), text, ukStream);
    if (HasOption(smoTitleAsFilename)) printTitle = fileName;
}

void TCustomCodeMemo::SaveToStreamFormat(TStream* stream, TSaveFormat format, TSelLineStyle style) {
    if (format == TSaveFormat::sfRTF || format == TSaveFormat::sfHTML) {
        if (!stream) throw EFileSaveError(msg::BadStream);
        if (!exporter) throw ECodeMemo(Format(msg::ExportUnavailable, format == TSaveFormat::sfRTF ? "RTF" : "HTML"));
        exporter->Write(*this, *stream, 0, store_->CharCount(), format);
        return;
    }
    const TSelLineStyle kept = store_->SelLineStyle;
    store_->SelLineStyle = style;
    try {
        store_->SaveToStream(stream, format);
    } catch (...) {
        store_->SelLineStyle = kept;
        throw;
    }
    store_->SelLineStyle = kept;
}

void TCustomCodeMemo::SaveToStream(TStream* stream) { SaveToStreamFormat(stream, saveFormat, store_->SelLineStyle); }

void TCustomCodeMemo::SaveToFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::Mode::Create);
    SaveToStream(&stream);
}

}  // namespace quarry
