#pragma once
#include "regview/RegisterDescription.h"
#include "regview/RegisterLibrary.h"

#include <string>

namespace quarry {

class CodeLineEditor;
class RegisterPicker;
class RegisterView;
class UserInterface;

// The register command: pick a description file, then one of its registers (Esc goes back to
// the files), compose its value in the register window and, on Enter, write the line of code
// above the caret in the active editor window. One run at a time: while the register window is
// open the command only brings it to the front.
class RegisterCommand final {
public:
    RegisterCommand(RegisterLibrary& library, RegisterPicker& picker, RegisterView& view, CodeLineEditor& editor,
                    UserInterface& ui);

    void Run();
    bool Running() const { return running_; }
    // The code text of the last run; empty when it ended without code.
    const std::string& CodeText() const { return codeText_; }

private:
    // False when the user left the file list.
    bool ChooseFile(int& fileIndex);
    // The code text, or empty when the user went back to the files (`back`) or ended the run.
    std::string ChooseRegister(const RegisterFileEntry& file, bool& back);
    void WarnAboutLeftOutLines(const RegisterDescription& description, int registerIndex);

    RegisterLibrary& library_;
    RegisterPicker& picker_;
    RegisterView& view_;
    CodeLineEditor& editor_;
    UserInterface& ui_;
    std::vector<RegisterFileEntry> files_;
    std::string codeText_;
    bool running_ = false;
};

}  // namespace quarry
