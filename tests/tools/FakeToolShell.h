#pragma once
// The window side of tool runs for tests: a log of what the run asked for, editor windows as
// plain file names, and a starter that records launches instead of starting programs.
#include "tools/StatusColours.h"
#include "tools/ToolShell.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quarry::test {

class FakeToolShell final : public ToolShell {
public:
    std::optional<std::string> ConfirmParameters(const std::string& executable, const std::string& parameters) override
    {
        log.push_back("confirm " + executable + " | " + parameters);
        if (onConfirm)
            onConfirm();
        if (cancelConfirm)
            return std::nullopt;
        return editedParameters ? *editedParameters : parameters;
    }
    bool Terminating() override { return terminating; }
    std::optional<std::string> ActiveEditorFile() override { return active; }
    void SaveAll() override { log.push_back("save all"); }
    void AskSaveAllModified() override { log.push_back("ask save"); }
    void ClearErrorMarks() override { log.push_back("clear marks"); }
    void ForceReloadCheck(const std::string& file) override { log.push_back("force reload " + file); }
    void CheckFilesChanged() override { log.push_back("check files"); }
    void OpenByName(const std::string& file) override
    {
        log.push_back("open " + file);
        active = file;
    }
    int ActiveLineCount() override { return rows; }
    void ShowErrorLine(int row) override { log.push_back("error line " + std::to_string(row)); }
    void ErrorShown(const std::string&) override {}
    void RepaintEditors() override {}
    void ShowStatus(const std::string& text, int colour) override
    {
        static const std::map<int, std::string> names = {
            {statuscolour::kNavy, "navy"}, {statuscolour::kMaroon, "maroon"}, {statuscolour::kBlack, "black"}};
        log.push_back(text.empty() ? "status cleared" : "status " + names.at(colour) + ": " + text);
    }
    void SetBusyCursor(bool busy) override { log.push_back(busy ? "busy" : "idle"); }
    void Beep() override { log.push_back("beep"); }
    void ErrorListChanged(const ErrorList& list) override { listed = list.Entries().size(); }
    void CurrentErrorChanged(std::size_t index) override { current = index; }

    std::optional<std::string> active;
    int rows = 100;
    bool cancelConfirm = false;
    bool terminating = false;
    std::optional<std::string> editedParameters;
    std::function<void()> onConfirm;
    std::vector<std::string> log;
    std::size_t listed = 0;
    std::optional<std::size_t> current;
};

class FakeProgram final : public StartedProgram {
public:
    explicit FakeProgram(std::string output) : output_(std::move(output)) {}
    bool WaitSlice() override { return true; }
    const std::string& CapturedOutput() const override { return output_; }

private:
    std::string output_;
};

class FakeStarter final : public ProgramStarter {
public:
    std::shared_ptr<StartedProgram> Start(const LaunchRequest& request, int& error) override
    {
        requests.push_back(request);
        if (failWith) {
            error = failWith;
            return nullptr;
        }
        if (onStart)
            onStart(request);
        return std::make_shared<FakeProgram>(output);
    }

    std::vector<LaunchRequest> requests;
    int failWith = 0;
    std::string output;
    std::function<void(const LaunchRequest&)> onStart;
};

}  // namespace quarry::test
