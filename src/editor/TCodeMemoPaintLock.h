#pragma once

namespace quarry {

class TCustomCodeMemo;

// Holds the control's painting lock for its lifetime, so that a run of edits (a replace-all,
// several undo steps) is painted once when it ends, however it ends.
class TCodeMemoPaintLock final {
public:
    explicit TCodeMemoPaintLock(TCustomCodeMemo& memo);
    ~TCodeMemoPaintLock();
    TCodeMemoPaintLock(const TCodeMemoPaintLock&) = delete;  // brackets one scope
    TCodeMemoPaintLock& operator=(const TCodeMemoPaintLock&) = delete;

private:
    TCustomCodeMemo& memo_;
};

}  // namespace quarry
