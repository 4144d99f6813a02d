#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "text/EditorTypes.h"
#include "editorsettings/TCM_Settings.h"
#include "highlight/TCustomCodeMemoParser.h"
#include "text/TTextStore.h"
#include "editor/TCodeMemoUndoGroup.h"
#include "text/TUndoStack.h"

namespace quarry {

class TCodeMemoHost;
class TCodeMemoStrings;
class TCodeMemoScanner;
class TWordWrapSegmenter;
class TStream;
class UserInterface;

// Messages of the control: the standard edit-control ones it answers and its private block.
namespace cm {
inline constexpr std::uint32_t WM_SETTEXT = 0x000C;
inline constexpr std::uint32_t WM_GETTEXT = 0x000D;
inline constexpr std::uint32_t WM_GETTEXTLENGTH = 0x000E;
inline constexpr std::uint32_t EM_GETSEL = 0x00B0;
inline constexpr std::uint32_t EM_SETSEL = 0x00B1;
inline constexpr std::uint32_t EM_LINESCROLL = 0x00B6;
inline constexpr std::uint32_t EM_GETLINECOUNT = 0x00BA;
inline constexpr std::uint32_t EM_LINEINDEX = 0x00BB;
inline constexpr std::uint32_t EM_LINELENGTH = 0x00C1;
inline constexpr std::uint32_t EM_REPLACESEL = 0x00C2;
inline constexpr std::uint32_t EM_GETLINE = 0x00C4;
inline constexpr std::uint32_t EM_CANUNDO = 0x00C6;
inline constexpr std::uint32_t EM_UNDO = 0x00C7;
inline constexpr std::uint32_t EM_LINEFROMCHAR = 0x00C9;
inline constexpr std::uint32_t EM_GETFIRSTVISIBLELINE = 0x00CE;
inline constexpr std::uint32_t WM_CUT = 0x0300;
inline constexpr std::uint32_t WM_COPY = 0x0301;
inline constexpr std::uint32_t WM_PASTE = 0x0302;
inline constexpr std::uint32_t WM_CLEAR = 0x0303;
inline constexpr std::uint32_t WM_UNDO = 0x0304;
inline constexpr std::uint32_t EM_CANPASTE = 0x0432;

inline constexpr std::uint32_t CM_SELECTION = 0x0C00;
inline constexpr std::uint32_t CM_SETOPTIONS = 0x0C01;
inline constexpr std::uint32_t CM_REPLACESEL = 0x0C02;
inline constexpr std::uint32_t CM_PAINTLOCK = 0x0C05;
inline constexpr std::uint32_t CM_LOADSTREAM = 0x0C06;
inline constexpr std::uint32_t CM_SAVESTREAM = 0x0C07;
inline constexpr std::uint32_t CM_MODIFIED = 0x0C08;
inline constexpr std::uint32_t CM_FIRSTLINE = 0x0C09;
inline constexpr std::uint32_t CM_FIRSTCOLUMN = 0x0C0A;
inline constexpr std::uint32_t CM_COPYSEL = 0x0C0D;
inline constexpr std::uint32_t CM_CANREDO = 0x0C0E;
inline constexpr std::uint32_t CM_REDO = 0x0C0F;
inline constexpr std::uint32_t CM_INDENT = 0x0C10;
inline constexpr std::uint32_t CM_UNINDENT = 0x0C11;
inline constexpr std::uint32_t CM_PARSERCHANGED = 0x0C12;
inline constexpr std::uint32_t CM_SETTOKENS = 0x0C13;
inline constexpr std::uint32_t CM_UNDOSTACK = 0x0C15;

// Save-format flags of CM_SAVESTREAM.
inline constexpr std::uintptr_t SF_CR = 0;
inline constexpr std::uintptr_t SF_CRLF = 1;
inline constexpr std::uintptr_t SF_RTF = 2;
inline constexpr std::uintptr_t SF_HTML = 4;
inline constexpr std::uintptr_t SF_LF = 8;
}  // namespace cm

// Writes the rich forms (RTF, HTML) of a range; installed by the export code.
class TTextExporter {
public:
    virtual ~TTextExporter() = default;
    virtual void Write(TCustomCodeMemo& memo, TStream& stream, Offset start, Offset end, TSaveFormat format) = 0;
};

// The editor control's logic: text, caret and selection, typing, actions, undo, bookmarks,
// word wrap, scanning with the active parser, line decoration and the message interface. It
// draws nothing: the host window paints from its state and feeds it keys.
//
// Caret model: anchor_ and caret_ are character offsets; the selection is the range between
// them. With smoCaretAfterEOL the caret may stand right of its line's end: then beyondEol_ is set
// and virtualColumn_ (a 0-based display column) says where; caret_ is the line end.
class TCustomCodeMemo : public TParserClient {
public:
    static constexpr int kParserSlots = 6;
    static constexpr const char* kVersion = "3.00.39";

    explicit TCustomCodeMemo(TCodeMemoHost& host);
    ~TCustomCodeMemo() override;
    TCustomCodeMemo(const TCustomCodeMemo&) = delete;  // owns its store; parsers know it by identity
    TCustomCodeMemo& operator=(const TCustomCodeMemo&) = delete;

    // ---- text
    TTextStore& Store() { return *store_; }
    TCodeMemoStrings& Lines() { return *lines_; }
    std::string Text();
    // Replaces the whole text; the undo log starts empty.
    void SetText(std::string_view text);
    void Clear();

    // ---- settings and parsers
    TCM_Settings& OwnSettings() { return ownSettings_; }
    // The active parser's settings, or the control's own.
    TCM_Settings& Settings();
    void SetParser(int slot, TCustomCodeMemoParser* parser);
    TCustomCodeMemoParser* Parser(int slot) const;
    // 1..6 selects a slot (an empty slot means the own settings); 0 = none. Else ECodeMemo.
    void SetActiveParser(int slot);
    int ActiveParser() const { return activeSlot_; }
    TCustomCodeMemoParser* ActiveParserObject() const;

    TCodeMemoOptions Options() const { return options_; }
    void SetOptions(TCodeMemoOptions options);
    bool HasOption(TCodeMemoOption option) const { return (options_ & option) != 0; }
    std::int32_t WrapAtColumn() const { return wrapAtColumn_; }
    void SetWrapAtColumn(std::int32_t column);
    void SetWrapOverride(const std::string& characters);
    void SetTabDefault(std::int32_t columns) { Settings().SetTabDefault(columns); }
    void SetTabColumns(std::string_view text) { Settings().SetTabColumnsText(text); }
    std::int32_t NextTabStop(std::int32_t column) { return Settings().NextTabStop(column); }
    const TCM_Font& Font() const { return font_; }
    void SetFont(const TCM_Font& font);

    bool readOnly = false;
    bool wantReturns = true;
    bool wantTab = true;
    TSaveFormat saveFormat = TSaveFormat::sfTEXT;
    TSelLineStyle SelLineStyle() const { return store_->SelLineStyle; }
    void SetSelLineStyle(TSelLineStyle style) { store_->SelLineStyle = style; }
    // Decides what counts as a word character (double click, word moves); null: letters,
    // digits, "_" and bytes from 128 on.
    std::function<bool(unsigned char)> fn_CharIsInWord;

    // ---- caret and selection
    Offset Anchor() const { return anchor_; }
    Offset Caret() const { return caret_; }
    Offset SelStart() const { return std::min(anchor_, caret_); }
    Offset SelLength() const { return anchor_ > caret_ ? anchor_ - caret_ : caret_ - anchor_; }
    bool HasSelection() const { return anchor_ != caret_; }
    void SetSelection(Offset anchor, Offset caret);
    void SetSelStart(Offset start) { SetSelection(start, start); }
    void SetSelLength(Offset length) { SetSelection(SelStart(), SelStart() + length); }
    std::string SelText();
    // Selects the word around an offset (double click with smoWordSelect); false when the
    // character there is no word character.
    bool SelectWordAt(Offset offset);
    bool CaretBeyondEol() const { return beyondEol_; }
    // The caret's 0-based display column in its segment (TABs expanded; beyond the end too).
    std::int32_t CaretColumn();
    LineIndex CaretLine();
    // Places the caret at a display line and column, beyond the line end when allowed.
    void MoveCaretTo(LineIndex line, std::int32_t column, bool extend);
    bool Overwrite() const { return overwrite_; }
    void SetOverwrite(bool overwrite);
    struct TCaretShape {
        int x = 0;
        int y = 0;
        int width = 2;
        int height = 0;
    };
    TCaretShape CaretShape();

    // ---- editing
    // The path of typing, paste and CM_REPLACESEL: fill to a caret beyond the line end, record,
    // replace, re-scan. Does nothing when readOnly.
    void ReplaceSelection(std::string_view text);
    void KeyPress(char ch);
    // The key path: templates, auto-replace, the key controller. True when the key was taken.
    bool KeyDown(std::uint16_t key, TShiftState shift);
    void ExecuteAction(std::int32_t code, std::int32_t reserved = 0, bool extend = false);
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void IndentSelection();
    void UnindentSelection();

    // ---- undo
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    void BeginUndoGroup(std::int32_t id);
    void EndUndoGroup(std::int32_t id);
    bool Modified() const;
    // False clears the whole log; true has no effect.
    void SetModified(bool modified);
    TUndoStack* UndoStack() const { return store_->Undo(); }

    // ---- bookmarks (line -1: the caret's line and column; else 1-based, below 1 becomes 1)
    void SetBookmark(int index, std::int32_t line = -1, std::int32_t column = 0);
    void ClearBookmark(int index);
    bool GetBookmark(int index, std::int32_t& line, std::int32_t& column);
    void GotoBookmark(int index);

    // ---- line decoration by 1-based display line (placed on the logical line's first segment)
    void SetLineMark(int mark, std::int32_t line);
    void ClearLineMark(int mark, std::int32_t line);
    bool HasLineMark(int mark, std::int32_t line);
    void SetLineColour1(std::int32_t line, TColor colour);
    void SetLineColour2(std::int32_t line, TColor colour);
    std::int32_t AddTrack(std::int32_t line, std::int32_t value) { return store_->AddTrack(line, value); }
    void RemoveTrack(std::int32_t id) { store_->RemoveTrack(id); }
    bool IsTrack(std::int32_t id) const { return store_->IsTrack(id); }

    // ---- lines and columns, both 1-based
    void LogicalToDisplay(std::int32_t& line, std::int32_t& column);
    void DisplayToLogical(std::int32_t& line, std::int32_t& column);

    // ---- view
    LineIndex FirstVisibleLine() const { return firstVisible_; }
    void SetFirstVisibleLine(LineIndex line);
    std::int32_t LeftColumn() const { return leftColumn_; }
    void SetLeftColumn(std::int32_t column);
    std::int32_t VisibleLines() const;
    void ScrollCaretIntoView();
    // The window changed size: the wrap width may have changed.
    void Resized();
    bool PaintLocked() const { return paintLock_ > 0; }

    // ---- files
    void LoadFromFile(const std::string& fileName);
    void LoadFromStream(TStream& stream);
    // Replaces the whole text by the file's as one undoable step: Undo brings back the text
    // that was there. A file that cannot be read leaves the text as it was.
    void ReloadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);
    void SaveToStream(TStream* stream);
    std::string printTitle;
    TTextExporter* exporter = nullptr;

    // ---- scanning
    // Makes sure display lines first..last hold token values (painting calls this).
    void EnsureScanned(LineIndex first, LineIndex last);
    // Scans the whole text now.
    void ScanAll();
    // Lines scanned beyond the last visible one before scanning is postponed; -1: never postpone.
    void SetScanAhead(std::int32_t lines) { scanAhead_ = lines; }

    // ---- messages
    std::intptr_t Perform(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

    // ---- events
    std::function<void()> OnChange;
    std::function<void(std::int32_t& actionCode)> OnCommandRecognised;
    std::function<void(std::uint16_t& key, TShiftState& shift)> OnKeyDown;
    std::function<void(int index)> OnBookmarkSet;
    std::function<void(int index)> OnBookmarkClear;
    std::function<void(std::uint8_t& value, Offset start, Offset end)> OnTokenSeen;
    std::function<void(int mark, std::int32_t line)> OnMarkChange;
    // Called before a code template is expanded with the word it replaces; may change the text.
    std::function<void(TCustomCodeMemo& sender, const std::string& word, std::string& text)> OnCodeTemplate;
    // Where the control asks the user to choose among code templates; none: no list is offered.
    UserInterface* userInterface = nullptr;
    // After each top-level change of the text, before its re-scan: the first changed offset.
    // The window uses it to know where its background scan must start again.
    std::function<void(Offset from)> OnEdited;

    // ---- TParserClient
    void ParserDestroyed(TCustomCodeMemoParser& parser) override;
    void ParserChanged(TCustomCodeMemoParser& parser) override;

    // Word-character test in use.
    bool IsWordChar(unsigned char c) const;
    TCodeMemoHost& Host() { return host_; }

private:
    friend class TCodeMemoStrings;
    friend class TCodeMemoUndoGroup;
    friend class TCodeMemoMessages;

    // One top-level operation: changes are collected, scanned and announced once at its end.
    class TOperation;

    void ApplySettings();
    void UpdateSegmenter();
    void RewrapAll();
    TTextStore::Location CaretLocation();
    // Places the caret without touching the column remembered for vertical moves.
    void PlaceCaret(LineIndex line, std::int32_t column, bool extend);
    std::int32_t DisplayColumnOf(Offset offset);
    Offset OffsetAtColumn(const TTextStore::Location& segment, std::int32_t column, std::int32_t* reached);
    std::int32_t SegmentContentEnd(const TTextStore::Location& segment);
    std::string FillText(std::int32_t fromColumn, std::int32_t toColumn);
    void FillToCaret();
    void Record(std::int32_t kind, std::int32_t phase, std::string_view removed = {}, std::string_view inserted = {});
    void ReplaceRange(Offset start, Offset end, std::string_view normalised, std::int32_t kind = ukReplace);
    void RawReplace(Offset start, Offset end, std::string_view text);
    // A change from outside the editing paths (the Lines view): nothing is recorded, the caret
    // and anchor keep their characters, the change is scanned and announced.
    void ExternalReplace(Offset start, Offset end, std::string_view text);
    void NoteChange(Offset at);
    void AfterEdit();
    void Rescan();
    LineIndex ScanHorizon() const;
    void ClearSelectionState(Offset caret);
    void MoveCaret(Offset caret, bool extend);
    void TypeCharacter(char ch);
    void TypeReturn();
    void TabFill();
    std::int32_t IndentOfLine(Offset lineStart, Offset upTo);
    std::int32_t TabFillTarget();
    Offset WordLeft(Offset from);
    Offset WordRight(Offset from);
    void VerticalMove(std::int32_t lines, bool extend);
    void DeleteAction();
    void BackspaceAction();
    void DeleteLineAction();
    void DeleteWordAction(bool previous);
    void ApplyUndoTransaction(const TUndoStack::Transaction& t, bool redo);
    // The selection an undo record kept, clamped to the text as it now stands.
    void RestoreSelection(TUndoStack::Selection selection);
    void UndoOne();
    void RedoOne();
    TTextStore::Location DecorationRecord(std::int32_t line);
    void SaveToStreamFormat(TStream* stream, TSaveFormat format, TSelLineStyle style);
    // EFileTooLarge when a file of that size cannot be held.
    void CheckLoadSize(const std::string& fileName, std::int64_t size) const;

    TCodeMemoHost& host_;
    std::unique_ptr<TTextStore> store_;
    std::unique_ptr<TCodeMemoStrings> lines_;
    std::unique_ptr<TCodeMemoScanner> scanner_;
    std::unique_ptr<TWordWrapSegmenter> segmenter_;
    TCM_Settings ownSettings_;
    std::array<TCustomCodeMemoParser*, kParserSlots> parsers_{};
    int activeSlot_ = 0;

    TCodeMemoOptions options_ = kDefaultOptions;
    std::int32_t wrapAtColumn_ = 0;
    TCM_Font font_;

    Offset anchor_ = 0;
    Offset caret_ = 0;
    bool beyondEol_ = false;
    std::int32_t virtualColumn_ = 0;
    std::int32_t columnMemory_ = 0;   // display column kept across vertical moves
    bool overwrite_ = false;
    LineIndex firstVisible_ = 0;
    std::int32_t leftColumn_ = 0;
    int paintLock_ = 0;
    bool detachedEdits_ = false;      // text changed while the undo log was detached

    int operationDepth_ = 0;
    Offset changedFrom_ = -1;         // first offset changed in the running operation
    bool textChanged_ = false;
    std::int32_t scanAhead_ = 0;      // 0: one window's worth
    bool extendKey_ = false;
};

}  // namespace quarry
