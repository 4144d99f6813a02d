#pragma once
#include "platform/ChildProcess.h"
#include "platform/SystemMessage.h"

#include <string.h>
#include <string>

// The messages, captions and status texts of tool runs and error navigation, in one place.
namespace quarry::tooltexts {

inline constexpr const char* kNoEditFile = "No edit file is currently open. The %FILE% parameter will be ignored.";
inline constexpr const char* kIllegalParameter = "%FILE% Option Parameter specified Illegally.";
inline constexpr const char* kIllegalErrorFileName = "%FILE% option in error filename specified illegally.";
inline constexpr const char* kCheckExePaths = ".  Check EXE path(s) in Quarry Environment Settings.";
inline constexpr const char* kExecutingScript = "Executing Batch File Build Script...";
inline constexpr const char* kProcessingOutput = "Processing Compiler Output...";
inline constexpr const char* kUnknownResponse = "Unknown compiler response.";
inline constexpr const char* kNoErrorFound = "No error found - Check compiler error output";
inline constexpr const char* kSuccess = "Success";
inline constexpr const char* kConfirmCaption = "Confirming Command Line Parameters...";
// Lines joined by a line feed and a carriage return, as the box shows them.
inline constexpr const char* kScriptNameNeeded =
    "Using the Environment Settings dialog ,\n\rspecify a valid batch file build script\n\rin the form "
    "C:\\folder\\file.bat";

inline std::string invalidMainFile(const std::string& setting)
{
    return "Main source file specified in environment is invalid. Please setup environment. Specified file was: " +
           setting;
}

inline std::string scriptNotFound(const std::string& name) { return "Batch file build script not found: " + name; }

// ---- writing a GNU build script
inline constexpr const char* kProcessingOptions = "Processing Compiler Options...";
inline constexpr const char* kProducingScript = "Producing Batch File Build Script...";

inline std::string scriptDirectoryMissing(const std::string& directory)
{
    return "Destination directory for batch file build script does not exist: " + directory;
}

inline std::string scriptDirectoryReadOnly(const std::string& directory)
{
    return "Destination directory for batch file build script: " + directory + " is Read-only";
}

inline std::string overwriteScript(const std::string& name) { return "Overwrite batch file build script: " + name + " ?"; }

inline std::string scriptReadOnly(const std::string& name) { return "Batch file build script: " + name + " is Read-only"; }

inline std::string scriptNotProduced(const std::string& name) { return "Error producing batch file build script: " + name; }

inline std::string tempFileNotCreated(const std::string& directory)
{
    return "Error creating temp file in directory " + directory;
}

inline std::string tempFileReadOnly(const std::string& paramFile) { return "Existing temp file is read-only: " + paramFile; }

inline std::string errorFileNotFound(const std::string& name) { return "Compiler error file not found(" + name + ")."; }

inline std::string sourceNotFound(const std::string& file, int line)
{
    return "Could not find the source file '" + file + "' which has an error at line " + std::to_string(line) +
           ". Please add this file to your project.";
}

// The output panel's own lines around a tool's output.
inline std::string commandShown(const std::string& commandLine) { return "> " + commandLine; }

inline std::string endingShown(const ChildProcess::Ending& ending)
{
    if (!ending.signalled)
        return "Exit code " + std::to_string(ending.code);
    return "Ended by signal " + std::to_string(ending.code) + " (" + ::strsignal(ending.code) + ")";
}

inline std::string startFailureShown(int error) { return "Could not start: " + systemMessage(error); }

}  // namespace quarry::tooltexts
