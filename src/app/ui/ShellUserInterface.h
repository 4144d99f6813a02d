#pragma once
#include "platform/UserInterface.h"

class QWidget;

namespace quarry {

// The program's UserInterface: every box and dialog of the wrapped one, with pick lists shown
// in the pick window (type-ahead included).
class ShellUserInterface final : public UserInterface {
public:
    explicit ShellUserInterface(UserInterface& inner) : inner_(inner) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer showMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override
    {
        return inner_.showMessage(kind, text, buttons);
    }
    std::optional<FileBrowseResult> browseForOpenFile(const FileBrowseRequest& request) override
    {
        return inner_.browseForOpenFile(request);
    }
    std::optional<FileBrowseResult> browseForSaveFile(const FileBrowseRequest& request) override
    {
        return inner_.browseForSaveFile(request);
    }
    std::optional<std::string> chooseDirectory(const std::string& title, const std::string& initialDirectory) override
    {
        return inner_.chooseDirectory(title, initialDirectory);
    }
    std::optional<std::string> inputQuery(const std::string& caption, const std::string& prompt,
                                          const std::string& initialText) override
    {
        return inner_.inputQuery(caption, prompt, initialText);
    }
    std::optional<int> pickFromList(const std::string& title, const std::vector<std::string>& items,
                                    int preselected) override;
    void processPendingEvents() override { inner_.processPendingEvents(); }

private:
    UserInterface& inner_;
    QWidget* parent_ = nullptr;
};

}  // namespace quarry
