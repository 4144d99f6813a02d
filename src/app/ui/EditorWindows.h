#pragma once
#include "editorwin/NonameNumbers.h"

#include <functional>
#include <string>
#include <vector>

class QMdiArea;

namespace quarry {

class FileLocator;
class PersistentEditorStore;
class TMDIChild;
class TMDIChildHost;
class TParserRepository;
class UserInterface;
struct EnvironmentSettings;

// The editor windows of the main window's document area: creating them, finding them by file
// name, their order from front to back, and the numbers of the "NONAME" files.
class EditorWindows final {
public:
    EditorWindows(QMdiArea& area, TMDIChildHost& host, UserInterface& ui, EnvironmentSettings& settings,
                  FileLocator& locator);
    EditorWindows(const EditorWindows&) = delete;  // the windows know their host by reference
    EditorWindows& operator=(const EditorWindows&) = delete;

    // The parsers and the store of their filters; set once both exist.
    void SetParsers(TParserRepository* repository, const PersistentEditorStore* store);

    // A new window showing `name`, loaded from disk unless `isNew`. Null when the file could not
    // be read (the user has been told). OnWindowsChanged runs afterwards.
    TMDIChild* OpenEditorWindow(const std::string& name, bool isNew);
    // Open by name: a located file (or one in the project directory) in its own window, or the
    // window that shows it already brought forward. Null when the file is found nowhere.
    TMDIChild* OpenByName(const std::string& name);
    // File > New File: the lowest free "NONAME" number.
    TMDIChild* NewFile();

    // The window whose file name equals `name` (upper-cased, trimmed), or null.
    TMDIChild* Find(const std::string& name) const;
    // The active (current) editor window, or null.
    TMDIChild* Active() const;
    // Front to back: the active window first. Windows being destroyed are left out.
    std::vector<TMDIChild*> InOrder() const;
    int Count() const { return static_cast<int>(InOrder().size()); }
    void BringToFront(TMDIChild& window);

    NonameNumbers& Nonames() { return nonames_; }
    // Frees the "NONAME" number a caption carries (closing a window, Save As).
    void ReleaseNoname(const std::string& caption);

    // After a window opened (menus follow the windows).
    std::function<void()> OnWindowsChanged;

private:
    void PlaceNewWindow(TMDIChild& window);

    QMdiArea& area_;
    TMDIChildHost& host_;
    UserInterface& ui_;
    EnvironmentSettings& settings_;
    FileLocator& locator_;
    TParserRepository* repository_ = nullptr;
    const PersistentEditorStore* store_ = nullptr;
    NonameNumbers nonames_;
};

}  // namespace quarry
