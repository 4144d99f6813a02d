#pragma once
#include <string>

// The messages of the editor windows, in one place.
namespace quarry::editortexts {

inline std::string cannotAccessFile(const std::string& name)
{
    return "Cannot access file (" + name + ") .  The file may be in use by another application.";
}

inline std::string backupReadOnly(const std::string& backupName)
{
    return "Error saving backup file: " + backupName + " - File is read-only.";
}

// A backup that could not be made for another reason than a read-only backup file.
inline std::string backupFailed(const std::string& backupName, const std::string& reason)
{
    return "Error saving backup file: " + backupName + " - " + reason + ".";
}

inline constexpr const char* kDirectoryReadOnly = "Directory is read-only";

// Before a file whose directory takes no new files is overwritten in place.
inline std::string inPlaceQuestion(const std::string& name, bool noBackup)
{
    return "The directory of " + name + " is read-only, so the file cannot be replaced safely: it will be " +
           "overwritten in place, and a failure while writing could damage it." +
           (noBackup ? " No backup copy can be made there." : "") + " Save anyway?";
}

inline std::string reloadQuestion(const std::string& name, bool modified)
{
    std::string text = "File '" + name + "' has changed. Reload?";
    if (modified)
        text += "\n\nThis window has unsaved changes: reloading replaces them with the file on disk. "
                "Undo (Ctrl+Z) brings them back.";
    return text;
}

inline std::string changedQuestion(const std::string& caption)
{
    return caption + " has changed, do you wish to save?";
}

// A write that failed on its way (disk full, a vanished directory): the old file is still there.
inline std::string saveFailed(const std::string& name, const std::string& reason)
{
    return "Error saving file (" + name + "): " + reason +
           ".  The file on disk was not changed; your text is still in the editor window.";
}

// Before a modified window's file is read again in another encoding.
inline std::string reopenQuestion(const std::string& name, const std::string& encoding)
{
    return "Reopen '" + name + "' as " + encoding + "?\n\nThis window has unsaved changes: reopening discards them.";
}

}  // namespace quarry::editortexts
