#pragma once
#include "app/ShellHost.h"
#include "platform/UserInterface.h"
#include "settings/EnvironmentSettings.h"

namespace quarry {

inline constexpr const char* kExitQuestion = "Exit Application?";

// The questions and automatic saves before the program closes, shared by File > Exit and the
// window's own Close command. Returns whether to go on closing.
bool ConfirmExit(const EnvironmentSettings& settings, UserInterface& ui, ShellHost& host);

// "Do you wish to save project demo.ppf?"
std::string saveProjectQuestion(const std::string& projectName);

}  // namespace quarry
