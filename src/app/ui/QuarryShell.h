#pragma once
#include "app/InstanceMessages.h"
#include "platform/UserInterface.h"
#include "settings/EnvironmentSettings.h"

#include <memory>
#include <string>
#include <vector>

namespace quarry {

class InstanceChannel;
class TMainForm;
class TMdiAbout;

// The running program: registers the instance messages, creates the forms in their order with
// the about box as splash, and on destruction tells listeners that it closes down.
class QuarryShell final {
public:
    struct Options {
        std::string programDir;
        std::string programPath;
        std::vector<std::string> arguments;  // command-line elements after the program name
    };

    // Needs a QApplication. `ui` outlives the shell.
    QuarryShell(UserInterface& ui, Options options);
    ~QuarryShell();
    QuarryShell(const QuarryShell&) = delete;  // owns the windows
    QuarryShell& operator=(const QuarryShell&) = delete;

    // Shows the main window with FirstShow set; start-up runs once the event loop turns.
    void start();

    EnvironmentSettings& settings() { return settings_; }
    TMainForm& mainForm() { return *mainForm_; }
    TMdiAbout& about() { return *about_; }
    const InstanceMessages& messages() const { return messages_; }
    // Whether this instance could take a slot for each restore message.
    bool listening() const { return listening_; }

private:
    Options options_;
    InstanceMessages messages_;
    std::unique_ptr<InstanceChannel> channel_;
    bool listening_ = false;
    EnvironmentSettings settings_;
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<TMdiAbout> about_;
};

// The program: `quarry [project.ppf | file...]`.
int runQuarry(int argc, char** argv);

}  // namespace quarry
