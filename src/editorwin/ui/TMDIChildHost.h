#pragma once
#include <string>
#include <vector>

namespace quarry {

class TMDIChild;

// What an editor window asks of the main window. The main window implements it; tests may
// supply their own.
class TMDIChildHost {
public:
    virtual ~TMDIChildHost() = default;

    // The text, caret or view changed: status bar and command states.
    virtual void ChildChanged(TMDIChild& child) = 0;
    // A key went down in the editor (ends an information message in the status bar).
    virtual void ChildKeyDown(TMDIChild& child) = 0;
    // The main window's Save command on this window (Save As for a "NONAME" file); true when the
    // text was written.
    virtual bool ChildSave(TMDIChild& child) = 0;
    // The window is closing for good (its close query allowed it).
    virtual void ChildClosed(TMDIChild& child) = 0;
    // The window is being destroyed.
    virtual void ChildDestroyed(TMDIChild& child) = 0;
    // The Edit menu's Cut, Copy and Paste states, for the popup menu.
    struct ClipboardStates {
        bool cut = false;
        bool copy = false;
        bool paste = false;
    };
    virtual ClipboardStates ChildClipboardStates(TMDIChild& child) = 0;
    // The Edit menu's Cut, Copy and Paste commands.
    virtual void ChildCut(TMDIChild& child) = 0;
    virtual void ChildCopy(TMDIChild& child) = 0;
    virtual void ChildPaste(TMDIChild& child) = 0;
    // Files dropped on the editor.
    virtual void ChildFilesDropped(const std::vector<std::string>& files) = 0;
};

}  // namespace quarry
