#pragma once
#include "settings/CompilerSettings.h"
#include "settings/GnuTargetOptions.h"
#include "settings/ProjectState.h"
#include "settings/ToolSlot.h"

#include <array>
#include <string>
#include <vector>

namespace quarry {

inline constexpr const char* kApplicationTitle = "Quarry";
inline constexpr const char* kVersionText = "Version 2.07b";
inline constexpr const char* kEnvironmentFileName = "Quarry.ini";
inline constexpr const char* kEnvironmentTemplateName = "QUARRY.DEF";
inline constexpr const char* kSettingsSnapshotName = "Quarry.tmp";

// Which file a tool run passes as %FILE%.
enum class FileParameterSource { EditedFile, MainFile };

struct GeneralOptions {
    FileParameterSource fileParameter = FileParameterSource::EditedFile;
    bool exitAutoSaveProject = false;
    bool exitAutoSaveAllFiles = false;
    bool modifiedFileAsk = true;
    bool saveProjectSavesFiles = false;
    bool askExitApplication = true;
    std::string mainFileEditName;

    bool operator==(const GeneralOptions&) const = default;
};

struct EditorOptions {
    static constexpr std::size_t kStoredFilters = 10;  // FILEFILTER0..FILEFILTER9

    bool createBackupFile = true;
    bool groupedUndo = true;
    bool undoAfterSave = true;
    int defaultSyntax = 6;  // 0 none, 1 assembly, 2 Pascal, 3 C/C++, 4 Java, 5 HTML, 6 plain text
    bool newFilesUtf8 = true;  // new files are UTF-8 documents, else Windows-1252
    std::vector<std::string> fileFilters;  // "description|pattern" each
    int fileFilterIndex = 0;

    // The parser slot for files no parser claims: defaultSyntax modulo (parserCount + 1), never
    // negative, so a damaged value still names a slot.
    int defaultSyntaxSlot(int parserCount) const;
    bool operator==(const EditorOptions&) const = default;
};

// An editor text font as the settings file stores it. Colours are blue-green-red values.
struct FontRecord {
    std::string name = "Courier New";
    int size = 10;
    int color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontRecord&) const = default;
};

// Every environment setting: the live values the settings dialog and the GNU forms edit, the
// two Environment-menu check marks and the program-wide values the settings file carries. The
// member initialisers are the dialogs' initial values; reading a settings file starts from the
// values held, so a missing key changes nothing.
struct EnvironmentSettings {
    ProjectState project;
    std::string sourcePath;   // first directory searched for bare file names; at most 255 characters
    std::string projectPath;  // initial directory of project dialogs; at most 255 characters
    std::array<ToolSlot, 4> tools = {
        ToolSlot{"Debugger", "C:\\Talvik\\SIMA05W.EXE", "%FILE.S19%"},
        ToolSlot{"Flash Programmer", "", "%PRJFILE.S19%"},
        ToolSlot{"In-Circuit Simulator", "", "%PRJFILE.S19%"},
        ToolSlot{"Simulator", "", "%PRJFILE.S19%"},
    };
    CompilerSettings compiler;
    GnuTargetOptions m68kElf;
    GnuTargetOptions ppcEabi;
    GeneralOptions general;
    EditorOptions editor;
    FontRecord editorFont;  // the record last read from EDITORFONT (or the initial font)

    bool operator==(const EnvironmentSettings&) const = default;
};

}  // namespace quarry
