#pragma once
#include <cstdint>
#include <deque>
#include <functional>

#include "text/TUndoRecord.h"

namespace quarry {

// A stack of log records with a cursor: entries above the cursor are the undone part (redo),
// those at or below it are live. Pushing discards the redo part.
//
// Invariants: 0 <= cursor_ <= entries_.size() (cursor_ is the count of live entries);
// size_ is the sum of EntrySize over entries_.
class TStack {
public:
    TStack() = default;
    virtual ~TStack() = default;
    TStack(const TStack&) = delete;  // records have identities
    TStack& operator=(const TStack&) = delete;

    // 16 bytes of bookkeeping plus the payload.
    static std::int64_t EntrySize(const TUndoRecord& record) {
        return 16 + static_cast<std::int64_t>(record.text.size());
    }

    void Push(TUndoRecord record);
    // The newest live entry, null when there is none.
    const TUndoRecord* Top() const { return cursor_ ? &entries_[cursor_ - 1] : nullptr; }
    // The oldest undone entry, null when there is none.
    const TUndoRecord* AboveTop() const { return cursor_ < entries_.size() ? &entries_[cursor_] : nullptr; }
    // Moves the cursor down over the newest live entry and returns it ("Stack underflow" if none).
    const TUndoRecord& StepDown();
    // Moves the cursor up over the oldest undone entry and returns it ("Stack underflow" if none).
    const TUndoRecord& StepUp();

    std::int32_t Count() const { return static_cast<std::int32_t>(cursor_); }
    std::int32_t TotalCount() const { return static_cast<std::int32_t>(entries_.size()); }
    std::int64_t TotalSize() const { return size_; }
    void Clear();

    // Called for every record that leaves the stack.
    std::function<void(const TUndoRecord&)> OnFree;

protected:
    void DropOldest();
    void DropAboveCursor();
    const TUndoRecord& Oldest() const { return entries_.front(); }
    bool Empty() const { return entries_.empty(); }

private:
    std::deque<TUndoRecord> entries_;
    std::size_t cursor_ = 0;
    std::int64_t size_ = 0;
    static std::uint64_t nextSerial_;
};

}  // namespace quarry
