#pragma once

namespace quarry {

// The register viewer's own messages, captions and window texts.
inline constexpr const char* kNoRegisterFiles = "No register (.REG) files were found.";
inline constexpr const char* kInsufficientMemory = "Insufficient memory for Register Display.";
inline constexpr const char* kChooseRegisterBlockCaption = " Choose a Register Block or press ESC ";
inline constexpr const char* kRegisterWindowCaption = "Register Window";
inline constexpr const char* kRegisterListHeader = "Bits\tDescription\tCurrent Value";
inline constexpr const char* kUnspecifiedField = "Unspecified Field";
inline constexpr const char* kIllegalFieldValue = "Illegal Field Value";
inline constexpr const char* kRegisterValueBox = "Register Value";
inline constexpr const char* kAccessBox = "R/W";
inline constexpr const char* kRegisterFilePattern = "*.reg";
inline constexpr const char* kRegisterWindowHelp[] = {
    "Key: Up/Down = Select which Bit Field",
    "Key: Left/Right = Change Current Bit Field Value",
    "Mouse: Left Button = Select which Bit Field",
    "Mouse: Right Button = Show all settings for bit field",
    "Key: Space bar = Show all settings for bit field",
    "Mouse: Double Click = Change current bit field value",
    "Key: Enter = Write Code",
};

}  // namespace quarry
