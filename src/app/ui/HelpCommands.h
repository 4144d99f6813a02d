#pragma once
#include <QObject>

#include <memory>
#include <string>

namespace quarry {

class TMainForm;
class THelpWindow;

// Help > Contents: the user picks one of the program's help files, whose contents page then
// opens in the help window.
class HelpCommands final : public QObject {
    Q_OBJECT
public:
    explicit HelpCommands(TMainForm& form);
    ~HelpCommands() override;

    void Contents1Click();
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& file) { helpFile_ = file; }
    THelpWindow* helpWindow() { return window_.get(); }

private:
    TMainForm& form_;
    std::string helpFile_;
    std::unique_ptr<THelpWindow> window_;
};

}  // namespace quarry
