#include "editor/TCodeMemoPaintLock.h"

#include "editor/TCustomCodeMemo.h"

namespace quarry {

TCodeMemoPaintLock::TCodeMemoPaintLock(TCustomCodeMemo& memo) : memo_(memo) {
    memo_.Perform(cm::CM_PAINTLOCK, 1, 1);
}

TCodeMemoPaintLock::~TCodeMemoPaintLock() { memo_.Perform(cm::CM_PAINTLOCK, 1, 0); }

}  // namespace quarry
