#pragma once
// The bracket around one top-level operation of the control, shared by the files of its logic.
#include <exception>

#include "editor/TCustomCodeMemo.h"

namespace quarry {

// Collects the changes of one top-level operation; the outermost one re-scans the changed lines
// and announces the change once, when it ends normally.
class TCustomCodeMemo::TOperation final {
public:
    explicit TOperation(TCustomCodeMemo& memo) : memo_(memo), exceptions_(std::uncaught_exceptions()) {
        ++memo_.operationDepth_;
    }
    ~TOperation() {
        if (--memo_.operationDepth_ > 0) return;
        if (std::uncaught_exceptions() > exceptions_) {
            memo_.changedFrom_ = -1;
            memo_.textChanged_ = false;
            return;
        }
        try {
            memo_.AfterEdit();
        } catch (...) {
            // A faulty parser must not take the edit down with it; the text stays as edited.
        }
    }
    TOperation(const TOperation&) = delete;
    TOperation& operator=(const TOperation&) = delete;

private:
    TCustomCodeMemo& memo_;
    int exceptions_;
};

}  // namespace quarry
