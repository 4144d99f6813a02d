#pragma once
#include <QObject>

#include <string>

namespace quarry {

class TMainForm;

// The Window menu: arranging the editor windows, the numbered window list with its overflow
// list, and Close File (menu, button, Ctrl+D, Ctrl+F4).
class WindowCommands final : public QObject {
    Q_OBJECT
public:
    explicit WindowCommands(TMainForm& form);

    // The Window menu's items follow the open windows (menu opening and FixMenus).
    void Window1Click();
    void WindowItemClick(int k);  // 1..9
    void MoreWindows1Click();
    void Cascade1Click();
    void Tile1Click();
    void ArrangeIcons1Click();
    void MinimizeAll1Click();
    void CloseFile1Click();

private:
    std::vector<std::string> FileNames() const;
    void ActivateEntry(const std::string& entry);

    TMainForm& form_;
};

}  // namespace quarry
