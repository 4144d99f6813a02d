#pragma once
#include "text/TUndoStack.h"

namespace quarry {

// The host's grouped undo: a run of typing (or of deleting) goes back in one step although the
// control records every keystroke as its own group. The walk reads the log from the cursor and
// answers how many of the control's own undo (or redo) steps make one grouped step; it leaves
// the log as it found it.
//
// The first step below the cursor is always taken. When it is a typing group (14) or a delete
// group (15), every directly preceding group of the same id whose selection after it equals the
// selection before the next one is taken too.
class GroupedUndoWalk final {
public:
    static int UndoSteps(TUndoStack& log);
    static int RedoSteps(TUndoStack& log);

private:
    struct Step {
        std::int32_t kind = 0;  // group id or transaction kind
        TUndoStack::Selection before;
        TUndoStack::Selection after;
    };
    // Reads one step down from the cursor, moving it; `moved` counts the records passed.
    static bool ReadDown(TUndoStack& log, Step& step, int& moved);
    static bool ReadUp(TUndoStack& log, Step& step, int& moved);
    static bool Joinable(std::int32_t kind);
};

}  // namespace quarry
