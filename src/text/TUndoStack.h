#pragma once
#include <cstdint>
#include <string>

#include "text/TStack.h"

namespace quarry {

// Operation kinds of the log.
enum TUndoKind : std::int32_t {
    ukReplace = 1,         // the selection replaced by a text
    ukStream = 4,          // the selection replaced by the contents of a stream
    ukBlankRemoval = 9,    // a run of blanks the control inserted itself, removed
    ukBufferInsert = 10,   // a run of characters from the control's buffer, inserted
};

// Group ids of compound commands.
enum TUndoGroupId : std::int32_t {
    ugTyping = 14,
    ugDelete = 15,
    ugPaste = 16,
    ugCut = 17,
    ugDeleteLine = 18,
    ugBlockIndent = 19,
    ugBlockUnindent = 20,
    ugDelPrevWord = 21,
    ugDelNextWord = 22,
    ugTemplate = 23,
    ugReplaceSel = 24,
    ugAutoReplace = 25,
    ugReplaceAll = 34,
};

// The transaction log of a text store. A transaction is written as six entries: marker(kind),
// selection before, removed text, inserted text, selection after, marker(kind). A group is
// bracketed by marker(id, 2), selection, marker(id, 2) and marker(id, 3), selection,
// marker(id, 3). Groups do not nest: inside a group, edits are plain transactions.
class TUndoStack final : public TStack {
public:
    struct Selection {
        std::int32_t anchor = 0;
        std::int32_t caret = 0;
        std::int32_t Start() const { return anchor < caret ? anchor : caret; }
        bool operator==(const Selection&) const = default;
    };
    struct Transaction {
        std::int32_t kind = 0;
        Selection before;
        std::string removed;
        std::string inserted;
        Selection after;
    };
    // What the newest live entry (or the oldest undone one) starts.
    enum class TStep { None, Transaction, GroupBegin, GroupEnd };

    // Phase 1 of a replacement: remembers the kind, the selection and both texts. A second phase
    // 1 while one is pending clears the log and raises ECodeMemo "Bad transaction log entry".
    void BeginTransaction(std::int32_t kind, Selection before, std::string removed, std::string inserted);
    // Phase 2: pushes the transaction. Without a pending phase 1 of the same kind: log cleared,
    // ECodeMemo "Bad transaction log entry".
    void EndTransaction(std::int32_t kind, Selection after);
    bool TransactionPending() const { return pending_; }
    void RecordBlankRemoval(std::int32_t position, std::int32_t count);
    void RecordBufferInsertion(std::int32_t position, const std::string& text);

    // False (and nothing pushed) when a group is open already.
    bool BeginGroup(std::int32_t id, Selection selection);
    // Closes the open group of the same id; a group that recorded nothing leaves no trace.
    void EndGroup(std::int32_t id, Selection selection);
    bool GroupOpen() const { return groupOpen_; }
    std::int32_t GroupId() const { return groupId_; }

    // Reading back. Each call validates the records it passes and raises ECodeMemo
    // "Bad do/undo stack state" on a record of unexpected type.
    TStep TopStep() const;
    TStep NextRedoStep() const;
    Transaction PopTransaction();          // undo direction
    Transaction UnpopTransaction();        // redo direction
    // Passes the three entries of a group marker; returns the group id and its selection.
    std::int32_t PopGroupMarker(TUndoMarkerPhase phase, Selection& selection);
    std::int32_t UnpopGroupMarker(TUndoMarkerPhase phase, Selection& selection);

    // -1: no limit (the default). Oldest whole transactions go while the log is larger.
    void SetSizeLimit(std::int64_t bytes);
    std::int64_t SizeLimit() const { return sizeLimit_; }

    // Identity of the newest live record, 0 when there is none.
    std::uint64_t TopIdentity() const;
    bool Modified() const { return Count() > 0; }
    // The saved-state pair: Count and TopIdentity at the last load or save (-1 when unset).
    void MarkSaved();
    bool AtSavedState() const;
    std::int32_t SavedCount() const { return savedCount_; }

    // Clears the log and any pending phase or open group.
    void Reset();

    bool enabled = true;

private:
    void PushTransaction(std::int32_t kind, const Selection& before, std::string removed, std::string inserted,
                         const Selection& after);
    void Trim();
    const TUndoRecord& Down(TUndoRecordType type);
    const TUndoRecord& Up(TUndoRecordType type);

    bool pending_ = false;
    std::int32_t pendingKind_ = 0;
    Selection pendingBefore_;
    std::string pendingRemoved_;
    std::string pendingInserted_;

    bool groupOpen_ = false;
    std::int32_t groupId_ = 0;
    Selection groupSelection_;
    bool groupBeginPushed_ = false;     // begin entries are written with the first transaction

    std::int64_t sizeLimit_ = -1;
    std::int32_t savedCount_ = -1;
    std::int64_t savedIdentity_ = -1;
};

}  // namespace quarry
