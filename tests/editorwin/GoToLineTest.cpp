// Go to line: the question, and which answers move the caret where.
#include "editorwin/GoToLine.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using test::ScriptedUserInterface;

TEST(GoToLineTest, AsksWithTheRowCountAndOneAsDefault)
{
    ScriptedUserInterface ui;
    ui.enterText("3");
    EXPECT_EQ(3, AskLineNumber(ui, 42));
    EXPECT_EQ((std::vector<ScriptedUserInterface::RecordedQuery>{
                  {"Go to Line Number", "Enter Line Number (1 to 42)", "1"}}),
              ui.queries());
}

struct AnswerCase {
    const char* answer;
    std::optional<int> row;
};

TEST(GoToLineTest, AnswersAndTheRowsTheyGive)
{
    const AnswerCase cases[] = {
        {"12", 12},  {" 7 ", 7},          {"+5", 5},          {"0", 1},
        {"-3", 1},   {"999", 50},         {"abc", std::nullopt}, {"", std::nullopt},
        {"1x", std::nullopt}, {"99999999999", std::nullopt}, {"1 2", std::nullopt}, {"0x10", std::nullopt},
        {nullptr, std::nullopt},  // cancelled
    };
    for (const auto& c : cases) {
        ScriptedUserInterface ui;
        if (c.answer)
            ui.enterText(c.answer);
        else
            ui.cancelInput();
        EXPECT_EQ(c.row, AskLineNumber(ui, 50)) << '"' << (c.answer ? c.answer : "(cancel)") << '"';
        EXPECT_TRUE(ui.boxes().empty());
    }
}

}  // namespace
}  // namespace quarry
