#pragma once
#include <cstdint>

namespace quarry {

class TCustomCodeMemo;

// Opens an undo group for its lifetime and closes it only if it was the one that opened it
// (groups do not nest), so an early return or an exception cannot leave a group open.
class TCodeMemoUndoGroup final {
public:
    TCodeMemoUndoGroup(TCustomCodeMemo& memo, std::int32_t id);
    ~TCodeMemoUndoGroup();
    TCodeMemoUndoGroup(const TCodeMemoUndoGroup&) = delete;  // brackets one scope
    TCodeMemoUndoGroup& operator=(const TCodeMemoUndoGroup&) = delete;

private:
    TCustomCodeMemo& memo_;
    std::int32_t id_;
    bool opened_ = false;
};

}  // namespace quarry
