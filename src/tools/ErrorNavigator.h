#pragma once
#include "platform/PathStyle.h"
#include "tools/ErrorEntry.h"
#include "tools/ErrorGrammar.h"

#include <cstddef>
#include <optional>
#include <string>

namespace quarry {

class FileLocator;
class ToolShell;
class UserInterface;
struct ProjectState;

// The error last navigated to: its line (-1 for none) and file.
struct ErrorState {
    int errorLine = -1;
    std::string errorFile;
    bool operator==(const ErrorState&) const = default;
};

// Reads an error file and takes the user to the error it reports: the status line shows the
// message in the error or success colour, and an error with a place opens its file with the
// caret on the marked line. Bare file names are looked up among the project's files first.
class ErrorNavigator final {
public:
    // An error file larger than this is read only this far.
    static constexpr std::size_t kReadLimit = 64u << 20;

    ErrorNavigator(ToolShell& shell, UserInterface& ui, FileLocator& locator, const ProjectState& project,
                   PathStyle style = PathStyle::native())
        : shell_(shell), ui_(ui), locator_(locator), project_(project), style_(style)
    {
    }

    // Locates, reads and scans the error file and reports what it found. The text read, or
    // nullopt when the file was not found (the user has been told).
    std::optional<std::string> ProcessErrorFile(const std::string& name, ErrorGrammar grammar);
    // Shows an entry: its text as status, or for an entry with a place, that place.
    void GoTo(const ErrorEntry& entry);
    // Clears every error mark, opens the file and puts the caret on the marked line.
    void GotoError(const std::string& file, int line);

    void ShowStatus(const std::string& text, int colour);
    // A new run starts with no error and a neutral colour, so its bell hears only itself.
    void ClearErrorState()
    {
        state_ = {};
        statusColour_ = 0;
    }
    const ErrorState& State() const { return state_; }
    // The colour of the last status text, which decides the bell.
    int StatusColour() const { return statusColour_; }
    // The entry last shown, so that a list can start walking from it.
    const std::optional<ErrorEntry>& LastShown() const { return lastShown_; }

private:
    ToolShell& shell_;
    UserInterface& ui_;
    FileLocator& locator_;
    const ProjectState& project_;
    PathStyle style_;
    ErrorState state_;
    int statusColour_ = 0;
    std::optional<ErrorEntry> lastShown_;
};

}  // namespace quarry
