#include "platform/ui/QtUserInterface.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
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

// Open File may create what it names: the real dialog, with several names typed, returns the
// missing ones too instead of refusing them.
TEST(QtUserInterface, TheOpenDialogReturnsNamesOfFilesToCreate)
{
    test::TempDir dir;
    dir.write("old.c", "");
    const struct {
        const char* typed;
        std::vector<std::string> files;
    } cases[] = {
        {"new.c", {dir.file("new.c")}},
        {"\"old.c\" \"new.c\"", {dir.file("old.c"), dir.file("new.c")}},
        {"plain", {dir.file("plain.$_~")}},  // the caller gives it the chosen type's extension
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        FileBrowseRequest request;
        request.title = "Open File";
        request.multiSelect = true;
        request.pathMustExist = true;
        request.initialDirectory = dir.path().string();
        request.filter = "C Files|*.c";
        request.defaultExtension = "$_~";
        QString refusal;
        int tries = 0;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                refusal = box->text();
                box->done(QMessageBox::Ok);
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && tries++ == 0) {
                // Typed as a user does, into the focused field (the dialog leaves such text alone).
                QApplication::setActiveWindow(dialog);
                auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
                field->setFocus();
                field->setText(QString::fromLatin1(c.typed));
                // Queued: a refusal box must find this timer free to close it.
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            } else if (dialog) {
                dialog->reject();
            }
        });
        poll.start(20);
        QtUserInterface ui;
        const auto result = ui.browseForOpenFile(request);
        EXPECT_EQ("", refusal.toStdString());
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(c.files, result->files);
    }
}

TEST(QtUserInterface, TextsKeepEveryByte)
{
    const std::string bytes = "caf\xE9 \x80\xFF";
    EXPECT_EQ(bytes, fromQt(toQt(bytes)));
}

}  // namespace
}  // namespace quarry
