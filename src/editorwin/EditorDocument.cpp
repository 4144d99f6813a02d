#include "editorwin/EditorDocument.h"

#include "editor/TCodeMemoHost.h"
#include "editor/TCustomCodeMemo.h"
#include "editorwin/BackupNames.h"
#include "editorwin/EditorWindowTexts.h"
#include "editorwin/ParserChoice.h"
#include "editorwin/SafeFileWriter.h"
#include "platform/FileFacts.h"
#include "platform/PathStyle.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"
#include "platform/UserInterface.h"
#include "settings/EnvironmentSettings.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <fstream>

#include <unistd.h>

namespace quarry {

namespace {

// Detaches the undo log for the life of the object, so that nothing a save does can touch it.
class DetachedUndoLog final {
public:
    explicit DetachedUndoLog(TCustomCodeMemo& memo) : memo_(memo), log_(memo.UndoStack())
    {
        memo_.Perform(cm::CM_UNDOSTACK, 1, 0);
    }
    ~DetachedUndoLog() { memo_.Perform(cm::CM_UNDOSTACK, 1, reinterpret_cast<std::intptr_t>(log_)); }
    DetachedUndoLog(const DetachedUndoLog&) = delete;  // re-attaches exactly once
    DetachedUndoLog& operator=(const DetachedUndoLog&) = delete;

private:
    TCustomCodeMemo& memo_;
    TUndoStack* log_;
};

bool canOpenForReading(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return static_cast<bool>(in);
}

std::string reasonFor(int error)
{
    if (error == 0)
        return "unknown error";
    return std::strerror(error);
}

}  // namespace

EditorDocument::EditorDocument(TCustomCodeMemo& memo, UserInterface& ui, const EnvironmentSettings& settings,
                               FilterSource filters)
    : memo_(memo), ui_(ui), settings_(settings), filters_(std::move(filters))
{
}

void EditorDocument::SetFileName(const std::string& name)
{
    fileName_ = text::cut(name, kMaxNameLength);
    memo_.printTitle = fileName_;
}

void EditorDocument::StatusChanged()
{
    if (OnStatusChanged)
        OnStatusChanged();
}

void EditorDocument::RecordSavedState()
{
    const TUndoStack* log = memo_.UndoStack();
    savedCount_ = log ? log->Count() : 0;
    savedIdentity_ = log ? log->TopIdentity() : 0;
}

bool EditorDocument::IsModified() const
{
    const TUndoStack* log = memo_.UndoStack();
    const std::int32_t count = log ? log->Count() : 0;
    if (count != savedCount_)
        return true;
    return count != 0 && log->TopIdentity() != savedIdentity_;
}

void EditorDocument::RecordFileDate() { fileDate_ = files::modificationTime(fileName_).value_or(0); }

int EditorDocument::ChooseParser() const
{
    const auto filterTexts = filters_ ? filters_() : std::vector<std::string>{};
    return parserchoice::chooseSlot(fileName_, filterTexts, settings_.editor.defaultSyntax);
}

bool EditorDocument::LoadFile(bool load)
{
    // The parser first: a text loaded under the wrong one would be scanned twice.
    const int slot = ChooseParser();
    if (slot != memo_.ActiveParser() || slot == 0)
        memo_.SetActiveParser(slot);
    if (!load || !files::fileExists(fileName_)) {
        const bool utf8 = encodingChoice_ == EncodingChoice::Auto ? settings_.editor.newFilesUtf8
                                                                   : encodingChoice_ == EncodingChoice::Utf8;
        memo_.SetEncoding(utf8 ? TextEncoding::Utf8 : TextEncoding::Windows1252);
        return true;
    }
    RecordFileDate();
    try {
        memo_.loadEncoding = encodingChoice_;
        memo_.LoadFromFile(fileName_);
    } catch (const std::exception& e) {
        memo_.Clear();
        fileDate_ = 0;
        ui_.showMessage(MessageKind::Error, e.what(), MessageButtons::Ok);
        return false;
    }
    lineEnds_ = detectFileLineEnds(fileName_);
    RecordSavedState();
    loaded_ = true;
    StatusChanged();
    return true;
}

void EditorDocument::ApplyParserForName()
{
    const int slot = ChooseParser();
    if (slot != memo_.ActiveParser())
        memo_.SetActiveParser(slot);
}

bool EditorDocument::WriteText(const std::string& name, unsigned ownLinks, int& error)
{
    const TSaveFormat keptFormat = memo_.saveFormat;
    const TSelLineStyle keptStyle = memo_.SelLineStyle();
    switch (lineEnds_) {
    case LineEndStyle::CrLf:
        memo_.saveFormat = TSaveFormat::sfTEXT;
        memo_.SetSelLineStyle(TSelLineStyle::lsCRLF);
        break;
    case LineEndStyle::Lf: memo_.saveFormat = TSaveFormat::sfUNIX; break;
    case LineEndStyle::Cr:
        memo_.saveFormat = TSaveFormat::sfTEXT;
        memo_.SetSelLineStyle(TSelLineStyle::lsLF);
        break;
    }
    error = SafeFileWriter::Write(name, [this](TStream& stream) { memo_.SaveToStream(&stream); }, ownLinks);
    memo_.saveFormat = keptFormat;
    memo_.SetSelLineStyle(keptStyle);
    return error == 0;
}

bool EditorDocument::MayWriteInPlace(const std::string& name, unsigned ownLinks)
{
    if (SafeFile::WayFor(name, ownLinks) != SafeFile::Way::InPlaceDirectory)
        return true;
    const bool noBackup = backupSkippedFor_ == name;
    return ui_.showMessage(MessageKind::Warning, editortexts::inPlaceQuestion(name, noBackup), MessageButtons::YesNo) ==
           Answer::Yes;
}

bool EditorDocument::SaveFile(const std::string& name)
{
    const unsigned ownLinks = linkedBackupFor_ == name ? 2 : 1;
    const bool mayWrite = MayWriteInPlace(name, ownLinks);
    linkedBackupFor_.clear();
    backupSkippedFor_.clear();
    if (!mayWrite)
        return false;
    int error = 0;
    bool written = false;
    if (settings_.editor.undoAfterSave) {
        DetachedUndoLog detached(memo_);
        written = WriteText(name, ownLinks, error);
    } else {
        written = WriteText(name, ownLinks, error);
        if (written)
            memo_.SetModified(false);  // the history starts again at the save
    }
    if (!written) {
        const auto message = SafeFileWriter::IsAccessRefusal(error) ? editortexts::cannotAccessFile(name)
                                                                     : editortexts::saveFailed(name, reasonFor(error));
        ui_.showMessage(MessageKind::Error, message, MessageButtons::Ok);
        return false;
    }
    RecordSavedState();
    SetFileName(name);
    RecordFileDate();
    StatusChanged();
    return true;
}

void EditorDocument::MakeBackup(const std::string& name)
{
    linkedBackupFor_.clear();
    backupSkippedFor_.clear();
    if (!files::fileExists(name))
        return;
    const auto style = PathStyle::native();
    const auto backupName = backup::fileNameFor(name);
    if (style.sameName(backupName, name))
        return;
    if (files::fileExists(backupName) && files::isReadOnly(backupName)) {
        ui_.showMessage(MessageKind::Information, editortexts::backupReadOnly(backupName), MessageButtons::Ok);
        return;
    }
    const auto backupDirectory = style.directory(backupName);
    if (files::isReadOnly(backupDirectory.empty() ? "." : backupDirectory)) {
        if (SafeFile::WayFor(name) == SafeFile::Way::InPlaceDirectory)
            backupSkippedFor_ = name;  // one question before the save tells both
        else
            ui_.showMessage(MessageKind::Information,
                            editortexts::backupFailed(backupName, editortexts::kDirectoryReadOnly), MessageButtons::Ok);
        return;
    }
    // The old backup goes, also when it is a link: the new one must not be written through it.
    ::unlink(backupName.c_str());
    // A second name for the old file is as good as a copy when the save puts a new file in its
    // place. A save in place would change a linked backup too: then, and where links are not
    // possible, the backup is a copy.
    const auto target = SafeFile::ResolveLinks(name);
    if (SafeFile::WayFor(target) == SafeFile::Way::Replace && ::link(target.c_str(), backupName.c_str()) == 0) {
        linkedBackupFor_ = name;
        return;
    }
    if (const int error = SafeFile::Copy(target, backupName); error != 0)
        ui_.showMessage(MessageKind::Information, editortexts::backupFailed(backupName, reasonFor(error)),
                        MessageButtons::Ok);
}

void EditorDocument::CheckFileChanged()
{
    if (fileName_.empty() || !files::fileExists(fileName_))
        return;
    const auto stamp = files::modificationTime(fileName_);
    const bool opened = stamp && canOpenForReading(fileName_);
    const std::int64_t date = stamp.value_or(0);
    if (!opened || date == fileDate_ || date == acknowledgedDate_) {
        acknowledgedDate_ = date;
        return;
    }
    if (ui_.showMessage(MessageKind::Confirmation, editortexts::reloadQuestion(fileName_, IsModified()),
                        MessageButtons::YesNo) != Answer::Yes)
        return;
    memo_.loadEncoding = encodingChoice_;
    ReadFileAgain([this] { memo_.ReloadFromFile(fileName_); });
}

bool EditorDocument::ReadFileAgain(const std::function<void()>& read)
{
    const Position caret = GetCaret();
    const LineIndex top = memo_.FirstVisibleLine();
    try {
        read();
    } catch (const std::exception& e) {
        ui_.showMessage(MessageKind::Error, e.what(), MessageButtons::Ok);
        return false;
    }
    lineEnds_ = detectFileLineEnds(fileName_);
    RecordSavedState();
    RecordFileDate();
    acknowledgedDate_ = fileDate_;
    // The place in the file survives as far as the new text reaches.
    PlaceCaret(caret.row, caret.column);
    memo_.SetFirstVisibleLine(top);
    StatusChanged();
    return true;
}

bool EditorDocument::ReopenInEncoding(TextEncoding encoding)
{
    const EncodingChoice choice = encoding == TextEncoding::Utf8 ? EncodingChoice::Utf8 : EncodingChoice::Windows1252;
    const bool onDisk = !fileName_.empty() && files::fileExists(fileName_);
    if (onDisk && IsModified() &&
        ui_.showMessage(MessageKind::Confirmation, editortexts::reopenQuestion(fileName_, std::string(encodingName(encoding))),
                        MessageButtons::YesNo) != Answer::Yes)
        return false;
    encodingChoice_ = choice;
    if (!onDisk) {
        // Nothing to read again: the same bytes are read the other way.
        memo_.SetEncoding(encoding);
        StatusChanged();
        return true;
    }
    memo_.loadEncoding = choice;
    return ReadFileAgain([this] { memo_.LoadFromFile(fileName_); });
}

std::int32_t EditorDocument::CaretCharacterColumn()
{
    auto& store = memo_.Store();
    if (store.First() == kNoRecord)
        return 1;
    const auto line = store.FirstSegment(store.Locate(memo_.Caret()));
    return memo_.CharCountBetween(line.lineStart, memo_.Caret()) + 1;
}

void EditorDocument::ForceReloadCheck()
{
    fileDate_ -= 1;
    acknowledgedDate_ = fileDate_;
}

std::int32_t EditorDocument::LineCount() const { return memo_.Store().RowCount(); }

std::int32_t EditorDocument::DisplayLineOfRow(std::int32_t row)
{
    std::int32_t line = row;
    std::int32_t column = 1;
    memo_.LogicalToDisplay(line, column);
    return line;
}

EditorDocument::Position EditorDocument::GetCaret()
{
    auto& store = memo_.Store();
    if (store.First() == kNoRecord)
        return {1, 1};
    const auto at = store.Locate(memo_.Caret());
    std::int32_t line = at.line + 1;
    std::int32_t column = memo_.Caret() - at.lineStart + 1;
    memo_.DisplayToLogical(line, column);
    return {line, column};
}

std::int32_t EditorDocument::PlaceCaret(std::int32_t row, std::int32_t column)
{
    row = std::clamp<std::int32_t>(row, 1, std::max<std::int32_t>(LineCount(), 1));
    column = std::max<std::int32_t>(column, 1);
    std::int32_t line = row;
    memo_.LogicalToDisplay(line, column);
    auto& store = memo_.Store();
    // The empty line after a final line end has no record: it starts at the end of the text.
    const Offset start =
        store.First() == kNoRecord || line > store.LineCount() ? store.CharCount() : store.LineByIndex(line - 1).lineStart;
    const Offset caret = std::min<Offset>(start + column - 1, store.CharCount());
    memo_.SetSelection(caret, caret);
    return line;
}

void EditorDocument::SetCaret(std::int32_t row, std::int32_t column)
{
    const std::int32_t line = PlaceCaret(row, column);
    memo_.SetFirstVisibleLine(std::max<std::int32_t>(line - memo_.VisibleLines() / 2, 1) - 1);
    StatusChanged();
}

EditorDocument::Position EditorDocument::GetMarker(int k)
{
    std::int32_t line = -1;
    std::int32_t column = -1;
    if (k < 0 || k > 9 || !memo_.GetBookmark(k, line, column))
        return {-1, -1};
    memo_.DisplayToLogical(line, column);
    return {line, column};
}

void EditorDocument::SetMarker(int k, std::int32_t row, std::int32_t column)
{
    if (k < 0 || k > 9)
        return;
    memo_.ClearBookmark(k);
    if (row < 1 || row > LineCount())
        return;
    const std::int32_t line = DisplayLineOfRow(row);
    // The stored column is the one asked for, even beyond a line that is shorter now.
    memo_.SetBookmark(k, line, std::max<std::int32_t>(column, 1));
}

void EditorDocument::MarkErrorLine(std::int32_t row)
{
    ClearErrorLine();
    if (row < 1 || row > LineCount())
        return;
    const std::int32_t line = DisplayLineOfRow(row);
    errorTrack_ = memo_.AddTrack(line, 0);
    memo_.SetLineColour1(line, clMaroon);
    memo_.SetLineColour2(line, clWhite);
    memo_.SetLineMark(kErrorLineMark, line);
}

void EditorDocument::ClearErrorLine()
{
    if (errorTrack_ < 0)
        return;
    if (memo_.IsTrack(errorTrack_)) {
        const std::int32_t line = memo_.Store().TrackLine(errorTrack_);
        if (line >= 1) {
            memo_.SetLineColour1(line, clNone);
            memo_.SetLineColour2(line, clNone);
            memo_.ClearLineMark(kErrorLineMark, line);
        }
        memo_.RemoveTrack(errorTrack_);
    }
    errorTrack_ = -1;
    memo_.Host().Invalidate();
}

}  // namespace quarry
