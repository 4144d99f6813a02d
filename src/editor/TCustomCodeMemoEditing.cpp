#include "editor/TCustomCodeMemo.h"
#include "editor/TCustomCodeMemoOperation.h"

#include <algorithm>

#include "editor/TCodeMemoHost.h"
#include "text/ECodeMemo.h"
#include "text/EditorMessages.h"
#include "text/LineEnds.h"

namespace quarry {

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

}  // namespace quarry
