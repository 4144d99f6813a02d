#include "app/ui/StatusBarController.h"

#include "platform/Text.h"
#include "platform/ui/QtUserInterface.h"

#include <QLabel>
#include <QStatusBar>

namespace quarry {

StatusBarController::StatusBarController(QStatusBar& bar) : bar_(bar)
{
    for (int i = 0; i < kPanels; ++i)
        panels_[i] = bar_.findChild<QLabel*>(QStringLiteral("Panel") + QString::number(i + 2));
}

void StatusBarController::ShowPanels(const StatusTexts& texts)
{
    for (int i = 0; i < kPanels; ++i) {
        const auto text = toQt(texts[static_cast<std::size_t>(i)]);
        if (panels_[i]->text() != text) {
            panels_[i]->setText(text);
            // The caret position and the first row follow the keys at once.
            if (i == 0 || i == 3)
                panels_[i]->repaint();
        }
    }
}

void StatusBarController::ClearPanels()
{
    for (auto* panel : panels_)
        panel->clear();
}

QString StatusBarController::PanelText(int index) const { return panels_[index]->text(); }

void StatusBarController::SetColour(int colour)
{
    if (colour == 0) {
        bar_.setStyleSheet(QString());
        return;
    }
    const int red = colour & 0xFF;
    const int green = (colour >> 8) & 0xFF;
    const int blue = (colour >> 16) & 0xFF;
    bar_.setStyleSheet(QStringLiteral("QStatusBar { color: rgb(%1, %2, %3); }").arg(red).arg(green).arg(blue));
}

void StatusBarController::ShowHintOrInfo()
{
    if (infoShowing_) {
        SetColour(infoColour_);
        bar_.showMessage(toQt(infoText_));
    } else if (!hint_.isEmpty()) {
        SetColour(0);
        bar_.showMessage(hint_);
    } else {
        SetColour(0);
        bar_.clearMessage();
    }
}

void StatusBarController::ShowInfo(const std::string& text, int colour)
{
    infoText_ = text::cut(text, 255);
    infoColour_ = colour;
    infoShowing_ = true;
    resetPending_ = false;
    ShowHintOrInfo();
}

void StatusBarController::EndInfo()
{
    if (!infoShowing_)
        return;
    infoShowing_ = false;
    resetPending_ = true;
}

bool StatusBarController::ApplyPendingReset()
{
    if (!resetPending_)
        return false;
    resetPending_ = false;
    ShowHintOrInfo();
    return true;
}

void StatusBarController::HintChanged(const QString& hint)
{
    hint_ = hint;
    ShowHintOrInfo();
}

}  // namespace quarry
