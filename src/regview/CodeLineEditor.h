#pragma once
#include <string>

namespace quarry {

// The active editor window as the register command writes into it. The line goes in through
// the clipboard, pasted at column 1 of the caret's line, and whatever the clipboard held before
// is put back afterwards.
class CodeLineEditor {
public:
    virtual ~CodeLineEditor() = default;

    virtual bool HasActiveEditor() = 0;
    virtual void KeepClipboard() = 0;
    virtual void RestoreClipboard() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual void MoveCaretToLineStart() = 0;
    virtual void Paste() = 0;
};

// Makes `codeText` a new line above the caret's line of the active editor; nothing without one
// or without text.
void insertCodeLine(CodeLineEditor& editor, const std::string& codeText);

}  // namespace quarry
