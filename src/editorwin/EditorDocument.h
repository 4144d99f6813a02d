#pragma once
#include "editorwin/LineEndStyle.h"
#include "text/TextEncoding.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quarry {

class TCustomCodeMemo;
class UserInterface;
struct EnvironmentSettings;

// The logic of one editor window: the file it shows, the state of that file on disk, and the
// operations on its editor control that the rest of the program asks for (load, save with
// backup, modified test, reload check, caret, markers, error line). The window around it only
// adds what needs a screen.
//
// Rows and columns are 1-based text rows (counted by line breaks; after a final line break the
// empty line that follows is the last row, where Ctrl+End puts the caret) and character columns.
class EditorDocument final {
public:
    // The filter texts of the parsers in slot order; the last matching one chooses the parser.
    using FilterSource = std::function<std::vector<std::string>()>;

    static constexpr int kErrorLineMark = 11;
    static constexpr std::size_t kMaxNameLength = 255;

    EditorDocument(TCustomCodeMemo& memo, UserInterface& ui, const EnvironmentSettings& settings,
                   FilterSource filters);
    EditorDocument(const EditorDocument&) = delete;  // refers to one control
    EditorDocument& operator=(const EditorDocument&) = delete;

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& name);
    bool Loaded() const { return loaded_; }
    std::int64_t FileDate() const { return fileDate_; }
    std::int64_t AcknowledgedDate() const { return acknowledgedDate_; }
    LineEndStyle LineEnds() const { return lineEnds_; }

    // Chooses the parser for the file name and, when `load` is set and the file exists, loads
    // it. False (after an error box) when the file exists but could not be read; the text is
    // then empty and the window must not stand for the file.
    bool LoadFile(bool load);
    // The parser slot the file name asks for, and choosing it (after the name changed).
    int ChooseParser() const;
    void ApplyParserForName();
    // Writes the text to `name`. On success the window takes that name and the saved state; on
    // failure the user is told why, the old file stays on disk and the window stays modified.
    bool SaveFile(const std::string& name);
    // Keeps the file's present text under its backup name before a save (see
    // backup::fileNameFor): a hard link when the save puts a new file in its place, else a copy.
    // A file reached through a symbolic link is backed up with its target's text.
    void MakeBackup(const std::string& name);
    bool IsModified() const;
    void RecordFileDate();
    // The reload question when the file on disk changed since it was last dealt with. The
    // reload is one undoable step, so unsaved edits it replaces come back with Undo.
    void CheckFileChanged();
    // Makes the next CheckFileChanged see the file as changed (after a tool has run).
    void ForceReloadCheck();

    struct Position {
        std::int32_t row = 1;
        std::int32_t column = 1;
        bool operator==(const Position&) const = default;
    };
    Position GetCaret();
    // Places the caret (inside the text whatever the values) and scrolls so that its row stands
    // in the middle of the window.
    void SetCaret(std::int32_t row, std::int32_t column);
    std::int32_t LineCount() const;
    // Marker k (0..9): row and column, both -1 when it is not set.
    Position GetMarker(int k);
    void SetMarker(int k, std::int32_t row, std::int32_t column);

    void MarkErrorLine(std::int32_t row);
    void ClearErrorLine();
    std::int32_t ErrorTrack() const { return errorTrack_; }

    // The encoding the user chose for this window's file (Auto: decided from its bytes at each
    // load). Set before LoadFile to open a file in a known encoding.
    EncodingChoice Encoding() const { return encodingChoice_; }
    void SetEncodingChoice(EncodingChoice choice) { encodingChoice_ = choice; }
    // Reads the window's file again in the other encoding, after asking when the window is
    // modified (the changes are lost). A window without a file on disk reads its text anew.
    // False when the user declined or the file could not be read.
    bool ReopenInEncoding(TextEncoding encoding);
    // The caret's column in characters (a UTF-8 sequence counts once), 1-based.
    std::int32_t CaretCharacterColumn();

    // The status bar and the command states need refreshing.
    std::function<void()> OnStatusChanged;

private:
    // Reads the file again through read, keeping the caret and the top line; false (and the
    // message shown) when reading failed.
    bool ReadFileAgain(const std::function<void()>& read);
    void RecordSavedState();
    void StatusChanged();
    bool WriteText(const std::string& name, unsigned ownLinks, int& error);
    // Asks before a save that cannot replace the file safely; false when the user declines.
    bool MayWriteInPlace(const std::string& name, unsigned ownLinks);
    std::int32_t DisplayLineOfRow(std::int32_t row);
    // Places the caret at a row and column kept inside the text; returns its display line.
    std::int32_t PlaceCaret(std::int32_t row, std::int32_t column);

    TCustomCodeMemo& memo_;
    UserInterface& ui_;
    const EnvironmentSettings& settings_;
    FilterSource filters_;

    std::string fileName_;
    std::int32_t savedCount_ = 0;
    std::uint64_t savedIdentity_ = 0;
    std::int64_t fileDate_ = 0;
    std::int64_t acknowledgedDate_ = 0;
    std::int32_t errorTrack_ = -1;
    bool loaded_ = false;
    LineEndStyle lineEnds_ = platformLineEnds();
    EncodingChoice encodingChoice_ = EncodingChoice::Auto;
    // Left by MakeBackup for the save that follows it: the name whose backup is a hard link to
    // the file (the file's second name is then the window's own), and the name whose backup
    // could not be made because its directory is read-only (the save's question says so).
    std::string linkedBackupFor_;
    std::string backupSkippedFor_;
};

}  // namespace quarry
