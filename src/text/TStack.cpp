#include "text/TStack.h"

#include "text/EStackError.h"
#include "text/EditorMessages.h"

namespace quarry {

std::uint64_t TStack::nextSerial_ = 1;

void TStack::Push(TUndoRecord record) {
    DropAboveCursor();
    record.serial = nextSerial_++;
    size_ += EntrySize(record);
    entries_.push_back(std::move(record));
    cursor_ = entries_.size();
}

const TUndoRecord& TStack::StepDown() {
    if (cursor_ == 0) throw EStackError(msg::StackUnderflow);
    return entries_[--cursor_];
}

const TUndoRecord& TStack::StepUp() {
    if (cursor_ >= entries_.size()) throw EStackError(msg::StackUnderflow);
    return entries_[cursor_++];
}

void TStack::Clear() {
    while (!entries_.empty()) DropOldest();
}

void TStack::DropOldest() {
    if (entries_.empty()) throw EStackError(msg::StackUnderflow);
    size_ -= EntrySize(entries_.front());
    if (OnFree) OnFree(entries_.front());
    entries_.pop_front();
    if (cursor_ > 0) --cursor_;
}

void TStack::DropAboveCursor() {
    while (entries_.size() > cursor_) {
        size_ -= EntrySize(entries_.back());
        if (OnFree) OnFree(entries_.back());
        entries_.pop_back();
    }
}

}  // namespace quarry
