#include "regview/CodeLineEditor.h"

#include "regview/RegisterCode.h"

namespace quarry {

void insertCodeLine(CodeLineEditor& editor, const std::string& codeText)
{
    if (codeText.empty() || !editor.HasActiveEditor())
        return;
    editor.KeepClipboard();
    editor.SetClipboardText(insertedCodeLine(codeText));
    editor.MoveCaretToLineStart();
    editor.Paste();
    editor.RestoreClipboard();
}

}  // namespace quarry
