#include "platform/ui/QtUserInterface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace quarry {
namespace {

TEST(QtUserInterface, FilterStringsBecomeCaseTolerantNameFilters)
{
    EXPECT_EQ(QStringList{"Project File [*.PPF] (*.ppf *.PPF)"},
              QtUserInterface::nameFilters("Project File (*.PPF) | *.ppf"));
    EXPECT_EQ((QStringList{"Assembly (*.asm *.ASM *.s *.S)", "All files [*.*] (*.*)"}),
              QtUserInterface::nameFilters("Assembly|*.asm;*.s|All files (*.*)|*.*"));
    EXPECT_TRUE(QtUserInterface::nameFilters("").isEmpty());
    EXPECT_TRUE(QtUserInterface::nameFilters("lonely description").isEmpty());
}

TEST(QtUserInterface, CaptionsNameTheKind)
{
    EXPECT_EQ("Error", QtUserInterface::captionFor(MessageKind::Error));
    EXPECT_EQ("Information", QtUserInterface::captionFor(MessageKind::Information));
    EXPECT_EQ("Confirm", QtUserInterface::captionFor(MessageKind::Confirmation));
    EXPECT_EQ("Warning", QtUserInterface::captionFor(MessageKind::Warning));
}

// A real box: the caption, text and buttons reach the dialog, and the button pressed comes back.
TEST(QtUserInterface, MessageBoxShowsTextAndReturnsTheButtonPressed)
{
    const struct {
        MessageButtons buttons;
        QMessageBox::StandardButton press;
        Answer expected;
        int buttonCount;
    } cases[] = {
        {MessageButtons::YesNoCancel, QMessageBox::No, Answer::No, 3},
        {MessageButtons::YesNo, QMessageBox::Yes, Answer::Yes, 2},
        {MessageButtons::OkCancel, QMessageBox::Cancel, Answer::Cancel, 2},
        {MessageButtons::Ok, QMessageBox::Ok, Answer::Ok, 1},
    };
    for (const auto& c : cases) {
        QtUserInterface ui;
        QString seenText, seenCaption;
        int seenButtons = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(nullptr, box);
            seenText = box->text();
            seenCaption = box->windowTitle();
            seenButtons = static_cast<int>(box->buttons().size());
            box->button(c.press)->click();
        });
        EXPECT_EQ(c.expected, ui.showMessage(MessageKind::Confirmation, "Exit Application?", c.buttons));
        EXPECT_EQ("Exit Application?", seenText);
        EXPECT_EQ("Confirm", seenCaption);
        EXPECT_EQ(c.buttonCount, seenButtons);
    }
}

TEST(QtUserInterface, TextsKeepEveryByte)
{
    const std::string bytes = "caf\xE9 \x80\xFF";
    EXPECT_EQ(bytes, fromQt(toQt(bytes)));
}

}  // namespace
}  // namespace quarry
