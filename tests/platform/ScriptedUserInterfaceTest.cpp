#include "support/ScriptedUserInterface.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace quarry::test {
namespace {

FileBrowseRequest titled(const char* title, const char* filter = "")
{
    FileBrowseRequest request;
    request.title = title;
    request.filter = filter;
    return request;
}

TEST(ScriptedUserInterface, RecordsBoxesAndAnswersFromTheQueue)
{
    ScriptedUserInterface ui;
    ui.answer(Answer::No);
    EXPECT_EQ(Answer::Ok, ui.showMessage(MessageKind::Information, "Restoring", MessageButtons::Ok));
    EXPECT_EQ(Answer::No, ui.showMessage(MessageKind::Confirmation, "Exit?", MessageButtons::YesNo));
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Information, "Restoring", MessageButtons::Ok},
                                        {MessageKind::Confirmation, "Exit?", MessageButtons::YesNo}}),
              ui.boxes());
}

TEST(ScriptedUserInterface, UnexpectedQuestionsFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUserInterface ui;
            EXPECT_EQ(Answer::Cancel, ui.showMessage(MessageKind::Confirmation, "Save?", MessageButtons::YesNoCancel));
        },
        "unexpected question Confirmation/YesNoCancel \"Save?\"");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUserInterface ui;
            EXPECT_EQ(std::nullopt, ui.browseForOpenFile(titled("Open File")));
        },
        "unexpected file dialog \"Open File\"");
}

TEST(ScriptedUserInterface, UnusedAnswersFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUserInterface ui;
            ui.answer(Answer::Yes);
            ui.chooseFile("/x/a.ppf");
        },
        "2 queued answer(s) never asked for");
}

TEST(ScriptedUserInterface, FileDialogsAndPickListsAreRecorded)
{
    ScriptedUserInterface ui;
    ui.chooseFile("/p/a.ppf", 2);
    ui.cancelFileDialog();
    ui.pick(1);
    const auto chosen = ui.browseForOpenFile(titled("Specify project file to open", "P|*.ppf"));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ((std::vector<std::string>{"/p/a.ppf"}), chosen->files);
    EXPECT_EQ(2, chosen->filterIndex);
    EXPECT_EQ(std::nullopt, ui.browseForSaveFile(titled("Save")));
    EXPECT_EQ(1, ui.pickFromList(" Editor File List ", {"a", "b"}, 0));
    ASSERT_EQ(2u, ui.fileDialogs().size());
    EXPECT_EQ("Specify project file to open", ui.fileDialogs()[0].title);
    EXPECT_EQ((std::vector<bool>{false, true}), ui.fileDialogWasSave());
    EXPECT_EQ((ScriptedUserInterface::RecordedPick{" Editor File List ", {"a", "b"}, 0}), ui.picks()[0]);
}

}  // namespace
}  // namespace quarry::test
