#pragma once
#include <string>

namespace quarry {

// What start-up and exit need from the window side. The main window implements it; the parts
// that open projects, editor windows and parsers fill in their calls as they arrive (until then
// those calls do nothing, and start-up still reads the settings and shows the frame).
class ShellHost {
public:
    virtual ~ShellHost() = default;

    // Reads a project file's file list and window layout (the project reader's part; the
    // settings in it are read by start-up itself).
    virtual void openProject(const std::string& projectFile) = 0;
    // Opens a located file in an editor window, or brings its window to the front.
    virtual void openEditorFile(const std::string& fileName) = 0;
    // Lets every built-in parser load its stored settings.
    virtual void loadParserSettings() = 0;
    // Hides the splash and gives the about box its OK button back.
    virtual void hideSplash() = 0;
    // Caption, project command states and the Save Project hint.
    virtual void updateProjectState() = 0;
    // Asks the program to end once the current operation is abandoned.
    virtual void requestTerminate() = 0;
    // Save Project as the project commands do it; false when it did not happen.
    virtual bool saveProject() = 0;
    // Saves every editor window.
    virtual void saveAllFiles() = 0;
};

}  // namespace quarry
