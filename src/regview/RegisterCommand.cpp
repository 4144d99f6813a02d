#include "regview/RegisterCommand.h"

#include "platform/UserInterface.h"
#include "regview/CodeLineEditor.h"
#include "regview/RegisterCode.h"
#include "regview/RegisterPicker.h"
#include "regview/RegisterSession.h"
#include "regview/RegisterView.h"
#include "regview/RegisterViewerTexts.h"

#include <new>

namespace quarry {

namespace {

// Warnings about a register's lines are listed up to this many; a file that bad says enough.
constexpr std::size_t kWarningsShown = 10;

// Clears the running flag however the run ends.
class RunningFlag final {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace

RegisterCommand::RegisterCommand(RegisterLibrary& library, RegisterPicker& picker, RegisterView& view,
                                 CodeLineEditor& editor, UserInterface& ui)
    : library_(library), picker_(picker), view_(view), editor_(editor), ui_(ui)
{
}

void RegisterCommand::Run()
{
    if (running_) {
        view_.BringToFront();
        return;
    }
    RunningFlag running(running_);
    codeText_.clear();
    try {
        files_ = library_.List();
        if (files_.empty()) {
            ui_.showMessage(MessageKind::Error, kNoRegisterFiles, MessageButtons::Ok);
            return;
        }
        int fileIndex = 0;
        bool back = true;
        while (back && ChooseFile(fileIndex))
            codeText_ = ChooseRegister(files_[static_cast<std::size_t>(fileIndex)], back);
    } catch (const std::bad_alloc&) {
        codeText_.clear();
        ui_.showMessage(MessageKind::Error, kInsufficientMemory, MessageButtons::Ok);
        return;
    }
    insertCodeLine(editor_, codeText_);
}

bool RegisterCommand::ChooseFile(int& fileIndex)
{
    const auto title = [this](int i) { return files_[static_cast<std::size_t>(i)].title; };
    const int count = static_cast<int>(files_.size());
    return picker_.Pick(title, count, kChooseRegisterBlockCaption, fileIndex) && fileIndex >= 0 && fileIndex < count;
}

std::string RegisterCommand::ChooseRegister(const RegisterFileEntry& file, bool& back)
{
    back = false;
    const auto bytes = library_.Read(file.path);
    if (!bytes) {
        ui_.showMessage(MessageKind::Error, "Cannot read the register file " + file.path + ".", MessageButtons::Ok);
        return {};
    }
    auto description = RegisterDescription::Parse(*bytes);
    description.Relocate(0xFFFFFFFFu, 0);
    const auto& registers = description.registers;
    const auto text = [&registers](int i) { return registers[static_cast<std::size_t>(i)].Text(); };
    const int count = static_cast<int>(registers.size());
    int index = 0;
    if (!picker_.Pick(text, count, " " + file.title + " ", index) || index < 0 || index >= count) {
        back = true;
        return {};
    }
    WarnAboutLeftOutLines(description, index);
    const auto& reg = registers[static_cast<std::size_t>(index)];
    RegisterSession session(reg, view_, picker_);
    if (!session.Run())
        return {};
    return registerCodeText(reg, session.Value().Value());
}

// Lines the reader could not use are named before the register shows without them.
void RegisterCommand::WarnAboutLeftOutLines(const RegisterDescription& description, int registerIndex)
{
    std::string text;
    std::size_t listed = 0;
    for (const auto& warning : description.warnings) {
        if (warning.registerIndex != registerIndex || listed == kWarningsShown)
            continue;
        text += "\nline " + std::to_string(warning.line) + ": " + warning.text;
        ++listed;
    }
    if (!text.empty())
        ui_.showMessage(MessageKind::Warning, "Register description lines read with warnings:" + text,
                        MessageButtons::Ok);
}

}  // namespace quarry
