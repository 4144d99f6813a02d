#include "editor/TCodeMemoUndoGroup.h"

#include "editor/TCustomCodeMemo.h"

namespace quarry {

TCodeMemoUndoGroup::TCodeMemoUndoGroup(TCustomCodeMemo& memo, std::int32_t id) : memo_(memo), id_(id) {
    TUndoStack* undo = memo_.UndoStack();
    if (undo && undo->enabled) opened_ = undo->BeginGroup(id, {memo_.anchor_, memo_.caret_});
}

TCodeMemoUndoGroup::~TCodeMemoUndoGroup() {
    TUndoStack* undo = memo_.UndoStack();
    if (opened_ && undo) undo->EndGroup(id_, {memo_.anchor_, memo_.caret_});
}

}  // namespace quarry
