#pragma once

// The message texts of the editor engine, kept in one place so that they can be translated.
namespace quarry::msg {

inline constexpr const char* BadStream = "Bad TStream instance";
inline constexpr const char* CouldNotSave = "Could not save text to stream";
inline constexpr const char* InvalidTrackId = "Invalid track ID (%d)";
inline constexpr const char* CannotOpenForReading = "File '%s' cannot be opened for reading";
inline constexpr const char* CannotCreateFile = "Cannot create file \"%s\". %s";
inline constexpr const char* FileTooLarge =
    "File '%s' is too large to edit: %llu bytes, the limit is %d characters";
inline constexpr const char* TextTooLarge = "Text too large: at most %d characters can be edited";
inline constexpr const char* NotEnoughMemory = "Not enough memory for operation";
inline constexpr const char* CannotAllocBuffer = "Cannot alloc memory for buffer!!";
inline constexpr const char* ReadOnlyStream = "Cannot write to a read-only stream";
inline constexpr const char* IllegalTabDefault = "=Illegal default tab stop value, must be > 0";
inline constexpr const char* TabColumnExpected = "Tab stop column value expected";
inline constexpr const char* TabColumnsOrder = "Tab columns must be in order and unique";
inline constexpr const char* TabColumnTooSmall = "Tab column must be > 1";
inline constexpr const char* TooManyTabStops = "Too many tab stops - maximum of ";
inline constexpr const char* ParserIndexRange = "Parser index out of range";
inline constexpr const char* BadTransaction = "Bad transaction log entry";
inline constexpr const char* BadUndoState = "Bad do/undo stack state";
inline constexpr const char* StackUnderflow = "Stack underflow";
inline constexpr const char* BookmarkRange = "Bookmark index range error";
inline constexpr const char* DuplicateKeys = "Duplicate key sequence definition for\r\n\"%s\" and \"%s\"";
inline constexpr const char* CannotAssign = "Cannot assign a %s to a %s";
inline constexpr const char* ListIndexOutOfBounds = "List index out of bounds (%d)";
inline constexpr const char* ExportUnavailable = "No writer for the %s save format is installed";

}  // namespace quarry::msg
