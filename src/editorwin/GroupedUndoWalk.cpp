#include "editorwin/GroupedUndoWalk.h"

#include <exception>

namespace quarry {

namespace {

TUndoStack::Selection selectionOf(const TUndoRecord& record) { return {record.a, record.b}; }

// Steps the cursor back by the number of records a walk passed.
class CursorRestorer final {
public:
    CursorRestorer(TUndoStack& log, bool walkedDown) : log_(log), walkedDown_(walkedDown) {}
    ~CursorRestorer()
    {
        for (int i = 0; i < moved; ++i)
            walkedDown_ ? log_.StepUp() : log_.StepDown();
    }
    CursorRestorer(const CursorRestorer&) = delete;  // restores one walk once
    CursorRestorer& operator=(const CursorRestorer&) = delete;

    int moved = 0;

private:
    TUndoStack& log_;
    bool walkedDown_;
};

}  // namespace

bool GroupedUndoWalk::Joinable(std::int32_t kind) { return kind == ugTyping || kind == ugDelete; }

// Read downwards a transaction is marker, after, inserted, removed, before, marker; a group is
// its end marker triple, its transactions, and its begin marker triple.
bool GroupedUndoWalk::ReadDown(TUndoStack& log, Step& step, int& moved)
{
    const TUndoRecord* top = log.Top();
    if (!top || top->type != urMarker)
        return false;
    auto down = [&]() -> const TUndoRecord& {
        ++moved;
        return log.StepDown();
    };
    const TUndoRecord first = down();
    step.kind = first.a;
    if (first.value == upTransaction) {
        step.after = selectionOf(down());
        down();
        down();
        step.before = selectionOf(down());
        down();
        return true;
    }
    if (first.value != upGroupEnd)
        return false;
    step.after = selectionOf(down());
    down();
    // A group whose beginning was trimmed away ends at the bottom of the log.
    step.before = step.after;
    while (log.Top()) {
        const TUndoRecord& record = down();
        if (record.type == urMarker && record.value == upGroupBegin && record.a == step.kind) {
            step.before = selectionOf(down());
            down();
            break;
        }
    }
    return true;
}

bool GroupedUndoWalk::ReadUp(TUndoStack& log, Step& step, int& moved)
{
    const TUndoRecord* next = log.AboveTop();
    if (!next || next->type != urMarker)
        return false;
    auto up = [&]() -> const TUndoRecord& {
        ++moved;
        return log.StepUp();
    };
    const TUndoRecord first = up();
    step.kind = first.a;
    if (first.value == upTransaction) {
        step.before = selectionOf(up());
        up();
        up();
        step.after = selectionOf(up());
        up();
        return true;
    }
    if (first.value != upGroupBegin)
        return false;
    step.before = selectionOf(up());
    up();
    step.after = step.before;
    while (log.AboveTop()) {
        const TUndoRecord& record = up();
        if (record.type == urMarker && record.value == upGroupEnd && record.a == step.kind) {
            step.after = selectionOf(up());
            up();
            break;
        }
    }
    return true;
}

int GroupedUndoWalk::UndoSteps(TUndoStack& log)
{
    if (log.Count() == 0)
        return 0;
    CursorRestorer restore(log, true);
    try {
        Step newer;
        if (!ReadDown(log, newer, restore.moved))
            return 1;
        int steps = 1;
        if (!Joinable(newer.kind))
            return steps;
        Step older;
        while (ReadDown(log, older, restore.moved) && older.kind == newer.kind && older.after == newer.before) {
            ++steps;
            newer = older;
        }
        return steps;
    } catch (const std::exception&) {
        // A log the walk cannot read is the control's to report; undo one step of it.
        return 1;
    }
}

int GroupedUndoWalk::RedoSteps(TUndoStack& log)
{
    if (!log.AboveTop())
        return 0;
    CursorRestorer restore(log, false);
    try {
        Step older;
        if (!ReadUp(log, older, restore.moved))
            return 1;
        int steps = 1;
        if (!Joinable(older.kind))
            return steps;
        Step newer;
        while (ReadUp(log, newer, restore.moved) && newer.kind == older.kind && newer.before == older.after) {
            ++steps;
            older = newer;
        }
        return steps;
    } catch (const std::exception&) {
        return 1;
    }
}

}  // namespace quarry
