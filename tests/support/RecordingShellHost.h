#pragma once
#include "app/ShellHost.h"

#include <string>
#include <vector>

namespace quarry::test {

// A ShellHost that records each call as one line ("openProject /p/demo.ppf", "hideSplash")
// in order. Header-only, for tests that link quarry_app.
class RecordingShellHost final : public ShellHost {
public:
    std::vector<std::string> calls;
    bool saveProjectResult = true;

    void openProject(const std::string& projectFile) override { calls.push_back("openProject " + projectFile); }
    void openEditorFile(const std::string& fileName) override { calls.push_back("openEditorFile " + fileName); }
    void loadParserSettings() override { calls.push_back("loadParserSettings"); }
    void hideSplash() override { calls.push_back("hideSplash"); }
    void updateProjectState() override { calls.push_back("updateProjectState"); }
    void requestTerminate() override { calls.push_back("requestTerminate"); }
    bool saveProject() override
    {
        calls.push_back("saveProject");
        return saveProjectResult;
    }
    void saveAllFiles() override { calls.push_back("saveAllFiles"); }
};

}  // namespace quarry::test
