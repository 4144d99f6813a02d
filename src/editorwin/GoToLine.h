#pragma once
#include "platform/UserInterface.h"

#include <optional>
#include <string>

namespace quarry {

inline constexpr const char* kGoToLineTitle = "Go to Line Number";

// "Enter Line Number (1 to 42)"
std::string goToLinePrompt(int lineCount);

// Asks for a row with "1" as the default answer. Returns the row to go to, kept inside
// 1..lineCount, or nullopt when the user cancelled or typed no number.
std::optional<int> AskLineNumber(UserInterface& ui, int lineCount);

}  // namespace quarry
