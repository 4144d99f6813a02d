#pragma once
#include <QDialog>

class QPushButton;

namespace quarry {

// The about box, also shown without its OK button as the splash screen while the program starts.
class TMdiAbout final : public QDialog {
    Q_OBJECT
public:
    explicit TMdiAbout(QWidget* parent = nullptr);

    // Shows the box at once, without OK, while the forms are created and start-up runs.
    void showAsSplash();
    // Hides the splash and makes OK visible again for the next About command.
    void endSplash();
    bool isSplash() const { return splash_; }

private:
    QPushButton* okButton_;
    bool splash_ = false;
};

}  // namespace quarry
