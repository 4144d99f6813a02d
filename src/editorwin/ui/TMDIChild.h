#pragma once
#include "editorwin/EditorDocument.h"
#include "settings/SettingsHost.h"

#include <QMdiSubWindow>
#include <QTimer>

#include <memory>
#include <string>

class QMenu;

namespace quarry {

class PersistentEditorStore;
class TCodeMemo;
class TMDIChildHost;
class TParserRepository;
class UserInterface;
struct EnvironmentSettings;

// One open file in the main window's document area: the editor control SEditor1 filling the
// window, its popup menu, and the window's part of the file (name, state on disk, saved state)
// held by an EditorDocument. The window's caption is its file name.
class TMDIChild final : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kDestroyingTag = 99;

    // `repository` (may be null) supplies the six parsers and `store` their filters.
    TMDIChild(TMDIChildHost& host, UserInterface& ui, const EnvironmentSettings& settings,
              TParserRepository* repository, const PersistentEditorStore* store, QWidget* parent = nullptr);
    ~TMDIChild() override;

    TCodeMemo* const SEditor1;
    QMenu* const PopupMenu1;

    // ---- the file
    const std::string& FileName() const { return document_.FileName(); }
    // Sets the file name and the caption.
    void SetFileName(const std::string& name);
    EditorDocument& Document() { return document_; }
    bool LoadFile(bool load) { return document_.LoadFile(load); }
    bool SaveFile(const std::string& name);
    void MakeBackup(const std::string& name) { document_.MakeBackup(name); }
    bool IsModified() const { return document_.IsModified(); }
    void RecordFileDate() { document_.RecordFileDate(); }
    void CheckFileChanged() { document_.CheckFileChanged(); }
    void ForceReloadCheck() { document_.ForceReloadCheck(); }

    // ---- caret, rows and markers (1-based rows and columns)
    EditorDocument::Position GetCaret() { return document_.GetCaret(); }
    void SetCaret(std::int32_t row, std::int32_t column) { document_.SetCaret(row, column); }
    std::int32_t LineCount() const { return document_.LineCount(); }
    EditorDocument::Position GetMarker(int k) { return document_.GetMarker(k); }
    void SetMarker(int k, std::int32_t row, std::int32_t column) { document_.SetMarker(k, row, column); }
    void MarkErrorLine(std::int32_t row) { document_.MarkErrorLine(row); }
    void ClearErrorLine() { document_.ClearErrorLine(); }

    // ---- the window
    WindowState State() const;
    void SetState(WindowState state);
    // Bounds in the normal state: the live bounds while normal, else the last normal ones.
    WindowBounds RestoredBounds() const;
    void SetRestoredBounds(const WindowBounds& bounds) { restoredBounds_ = bounds; }
    // Records the live bounds as the restored ones when the window is in the normal state.
    void RecordRestoredBounds();
    WindowBounds Bounds() const;
    void SetBounds(const WindowBounds& bounds);
    int Tag() const { return tag_; }
    // Closes the window without its close query (a file that could not be read).
    void CloseWithoutQuery();
    // The close query alone (modified files are offered for saving): whether the window may
    // close. The program's exit asks every window before it closes any.
    bool QueryClose() { return CloseQuery(); }
    // Closes a window whose close query was answered already.
    void CloseAnswered();
    // The main window is going away: the window stops reporting to it.
    void DetachHost();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpEditor(TParserRepository* repository);
    void BuildPopupMenu();
    void PopupMenu1Popup();
    bool CloseQuery();
    void ScheduleStatus();

    TMDIChildHost* host_;  // null once detached
    UserInterface& ui_;
    EditorDocument document_;
    WindowBounds restoredBounds_;
    QTimer statusTimer_;
    int tag_ = 0;
    bool queryDone_ = false;  // the close query was answered before this close
};

}  // namespace quarry
