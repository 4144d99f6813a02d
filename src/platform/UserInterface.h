#pragma once
#include <optional>
#include <string>
#include <vector>

namespace quarry {

// Everything the shell asks of the user goes through this interface, so that its logic runs
// without a window: the program uses the Qt implementation, tests a scripted one that records
// each box and answers from a queue.

enum class MessageKind { Error, Information, Confirmation, Warning };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
// Closing a box without choosing counts as Cancel (or No where the box has no Cancel).
enum class Answer { Ok, Cancel, Yes, No };

struct FileBrowseRequest {
    std::string title;
    // Pairs of description and pattern, all separated by '|': "Project File (*.PPF)|*.ppf".
    // Blanks around the parts are ignored.
    std::string filter;
    int filterIndex = 1;  // 1-based pair shown first
    std::string initialDirectory;
    std::string fileName;  // name shown in the dialog at first
    std::string defaultExtension;
    bool multiSelect = false;
    bool fileMustExist = false;
    bool pathMustExist = false;
    bool overwritePrompt = false;
};

struct FileBrowseResult {
    std::vector<std::string> files;  // full names; exactly one unless multiSelect
    int filterIndex = 1;             // the pair selected when the dialog closed
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A modal message box; returns the button chosen.
    virtual Answer showMessage(MessageKind kind, const std::string& text, MessageButtons buttons) = 0;
    // Open and save file dialogs; nullopt when cancelled.
    virtual std::optional<FileBrowseResult> browseForOpenFile(const FileBrowseRequest& request) = 0;
    virtual std::optional<FileBrowseResult> browseForSaveFile(const FileBrowseRequest& request) = 0;
    virtual std::optional<std::string> chooseDirectory(const std::string& title,
                                                       const std::string& initialDirectory) = 0;
    // A one-line text query; nullopt when cancelled.
    virtual std::optional<std::string> inputQuery(const std::string& caption, const std::string& prompt,
                                                  const std::string& initialText) = 0;
    // A list to pick one entry from; returns its index, nullopt when cancelled. `preselected`
    // is the entry selected at first, -1 for none.
    virtual std::optional<int> pickFromList(const std::string& title, const std::vector<std::string>& items,
                                            int preselected) = 0;
    // Lets queued window events run (repaints, input, socket notices) inside a long operation.
    virtual void processPendingEvents() = 0;
};

}  // namespace quarry
