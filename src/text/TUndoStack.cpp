#include "text/TUndoStack.h"

#include "text/ECodeMemo.h"
#include "text/EStackError.h"
#include "text/EditorMessages.h"

namespace quarry {

namespace {
bool IsTextRecord(TUndoRecordType type) { return type == urText || type == urStream; }

// A record read back must be of the type the layout puts there; text and stream records stand
// for each other.
const TUndoRecord& Expect(const TUndoRecord& r, TUndoRecordType type) {
    if (r.type != type && !(IsTextRecord(type) && IsTextRecord(r.type))) throw ECodeMemo(msg::BadUndoState);
    return r;
}
}  // namespace

void TUndoStack::Reset() {
    Clear();
    pending_ = false;
    groupOpen_ = false;
}

void TUndoStack::BeginTransaction(std::int32_t kind, Selection before, std::string removed, std::string inserted) {
    if (pending_) {
        Reset();
        throw ECodeMemo(msg::BadTransaction);
    }
    pending_ = true;
    pendingKind_ = kind;
    pendingBefore_ = before;
    pendingRemoved_ = std::move(removed);
    pendingInserted_ = std::move(inserted);
}

void TUndoStack::EndTransaction(std::int32_t kind, Selection after) {
    if (!pending_ || pendingKind_ != kind) {
        Reset();
        throw ECodeMemo(msg::BadTransaction);
    }
    pending_ = false;
    PushTransaction(kind, pendingBefore_, std::move(pendingRemoved_), std::move(pendingInserted_), after);
}

void TUndoStack::RecordBlankRemoval(std::int32_t position, std::int32_t count) {
    PushTransaction(ukBlankRemoval, {position, position + count}, std::string(static_cast<std::size_t>(count), ' '),
                    {}, {position, position});
}

void TUndoStack::RecordBufferInsertion(std::int32_t position, const std::string& text) {
    const auto end = position + static_cast<std::int32_t>(text.size());
    PushTransaction(ukBufferInsert, {position, position}, {}, text, {end, end});
}

void TUndoStack::PushTransaction(std::int32_t kind, const Selection& before, std::string removed,
                                 std::string inserted, const Selection& after) {
    if (groupOpen_ && !groupBeginPushed_) {
        // The group's begin entries are written with its first transaction.
        groupBeginPushed_ = true;
        Push(TUndoRecord::Marker(groupId_, upGroupBegin));
        Push(TUndoRecord::Selection(groupSelection_.anchor, groupSelection_.caret));
        Push(TUndoRecord::Marker(groupId_, upGroupBegin));
    }
    Push(TUndoRecord::Marker(kind, upTransaction));
    Push(TUndoRecord::Selection(before.anchor, before.caret));
    Push(TUndoRecord::Text(std::move(removed)));
    Push(TUndoRecord::Text(std::move(inserted), kind == ukStream ? urStream : urText));
    Push(TUndoRecord::Selection(after.anchor, after.caret));
    Push(TUndoRecord::Marker(kind, upTransaction));
    Trim();
}

bool TUndoStack::BeginGroup(std::int32_t id, Selection selection) {
    if (groupOpen_) return false;
    groupOpen_ = true;
    groupId_ = id;
    groupSelection_ = selection;
    groupBeginPushed_ = false;
    return true;
}

void TUndoStack::EndGroup(std::int32_t id, Selection selection) {
    if (!groupOpen_ || groupId_ != id) return;
    groupOpen_ = false;
    // A group that recorded nothing leaves no step behind (and keeps the redo part).
    if (!groupBeginPushed_) return;
    Push(TUndoRecord::Marker(id, upGroupEnd));
    Push(TUndoRecord::Selection(selection.anchor, selection.caret));
    Push(TUndoRecord::Marker(id, upGroupEnd));
    Trim();
}

void TUndoStack::SetSizeLimit(std::int64_t bytes) {
    sizeLimit_ = bytes;
    Trim();
}

void TUndoStack::Trim() {
    if (sizeLimit_ < 0) return;
    while (TotalSize() > sizeLimit_ && !Empty()) {
        DropOldest();
        // Then further entries up to and including the next marker: a whole transaction goes.
        while (!Empty()) {
            const bool marker = Oldest().type == urMarker;
            DropOldest();
            if (marker) break;
        }
    }
}

std::uint64_t TUndoStack::TopIdentity() const { return Top() ? Top()->serial : 0; }

void TUndoStack::MarkSaved() {
    savedCount_ = Count();
    savedIdentity_ = static_cast<std::int64_t>(TopIdentity());
}

bool TUndoStack::AtSavedState() const {
    return savedCount_ == Count() && (Count() == 0 || savedIdentity_ == static_cast<std::int64_t>(TopIdentity()));
}

TUndoStack::TStep TUndoStack::TopStep() const {
    const TUndoRecord* top = Top();
    if (!top) return TStep::None;
    if (top->type != urMarker) throw ECodeMemo(msg::BadUndoState);
    if (top->value == upGroupEnd) return TStep::GroupEnd;
    if (top->value == upGroupBegin) return TStep::GroupBegin;
    return TStep::Transaction;
}

TUndoStack::TStep TUndoStack::NextRedoStep() const {
    const TUndoRecord* next = AboveTop();
    if (!next) return TStep::None;
    if (next->type != urMarker) throw ECodeMemo(msg::BadUndoState);
    if (next->value == upGroupEnd) return TStep::GroupEnd;
    if (next->value == upGroupBegin) return TStep::GroupBegin;
    return TStep::Transaction;
}

const TUndoRecord& TUndoStack::Down(TUndoRecordType type) {
    if (!Top()) throw ECodeMemo(msg::BadUndoState);
    return Expect(StepDown(), type);
}

const TUndoRecord& TUndoStack::Up(TUndoRecordType type) {
    if (!AboveTop()) throw ECodeMemo(msg::BadUndoState);
    return Expect(StepUp(), type);
}

TUndoStack::Transaction TUndoStack::PopTransaction() {
    Transaction t;
    const TUndoRecord& close = Down(urMarker);
    t.kind = close.a;
    const TUndoRecord& after = Down(urSelection);
    t.after = {after.a, after.b};
    t.inserted = Down(urText).text;
    t.removed = Down(urText).text;
    const TUndoRecord& before = Down(urSelection);
    t.before = {before.a, before.b};
    const TUndoRecord& open = Down(urMarker);
    if (open.a != t.kind || open.value != upTransaction || close.value != upTransaction)
        throw ECodeMemo(msg::BadUndoState);
    return t;
}

TUndoStack::Transaction TUndoStack::UnpopTransaction() {
    Transaction t;
    const TUndoRecord& open = Up(urMarker);
    t.kind = open.a;
    const TUndoRecord& before = Up(urSelection);
    t.before = {before.a, before.b};
    t.removed = Up(urText).text;
    t.inserted = Up(urText).text;
    const TUndoRecord& after = Up(urSelection);
    t.after = {after.a, after.b};
    const TUndoRecord& close = Up(urMarker);
    if (close.a != t.kind || close.value != upTransaction || open.value != upTransaction)
        throw ECodeMemo(msg::BadUndoState);
    return t;
}

std::int32_t TUndoStack::PopGroupMarker(TUndoMarkerPhase phase, Selection& selection) {
    const TUndoRecord& close = Down(urMarker);
    const std::int32_t id = close.a;
    const TUndoRecord& sel = Down(urSelection);
    selection = {sel.a, sel.b};
    const TUndoRecord& open = Down(urMarker);
    if (open.a != id || open.value != phase || close.value != phase) throw ECodeMemo(msg::BadUndoState);
    return id;
}

std::int32_t TUndoStack::UnpopGroupMarker(TUndoMarkerPhase phase, Selection& selection) {
    const TUndoRecord& open = Up(urMarker);
    const std::int32_t id = open.a;
    const TUndoRecord& sel = Up(urSelection);
    selection = {sel.a, sel.b};
    const TUndoRecord& close = Up(urMarker);
    if (close.a != id || close.value != phase || open.value != phase) throw ECodeMemo(msg::BadUndoState);
    return id;
}

}  // namespace quarry
