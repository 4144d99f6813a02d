// The shipped ColdFire project as a user meets it in the demo home: F4 writes the build script
// and builds main.s19 with the real cross compiler; a broken line takes the caret there.
#include "ShellFixture.h"

#include "support/RunProgram.h"

#include <QStatusBar>

namespace quarry {
namespace {

class ColdFireDemoTest : public test::ShellFixture {};

TEST_F(ColdFireDemoTest, F4BuildsTheSRecordsAndLandsOnABrokenLine)
{
    std::filesystem::remove_all(home());
    const auto shipped = dir.file("shipped");
    std::filesystem::copy(QUARRY_DATA_DIR, shipped, std::filesystem::copy_options::recursive);
    ASSERT_EQ(0, test::runProgram(std::string(QUARRY_SOURCE_DIR) + "/scripts/make-demo-home.sh",
                                  "'" + shipped + "' '" + home() + "'", "2>&1").status);
    Launch({file("coldfire/coldfire.ppf")});
    ASSERT_EQ(file("coldfire/coldfire.ppf"), form().settings().project.name);
    auto* main = form().OpenFileByName(file("coldfire/main.c"));
    ASSERT_NE(nullptr, main);

    Press(Qt::Key_F4);
    const auto srecords = read("coldfire/main.s19");
    EXPECT_NE(std::string::npos, srecords.find("\nS315FFE00000")) << read("coldfire/main.err");
    EXPECT_EQ("", read("coldfire/main.err"));

    // The semicolon after "PPDDR = 0x03" goes; F4 saves the file, replaces the script and builds.
    const int row = 15;
    main->SetCaret(row, 17);
    QTest::keyClick(main->SEditor1, Qt::Key_Delete);
    ui.answer(Answer::Ok);
    Press(Qt::Key_F4);
    EXPECT_EQ(row, Active()->GetCaret().row);
    const auto status = form().statusBar()->currentMessage().toStdString();
    EXPECT_EQ(0u, status.find(file("coldfire/main.c") + ":" + std::to_string(row) + ":")) << status;
    EXPECT_NE(std::string::npos, status.find("error")) << status;
}

}  // namespace
}  // namespace quarry
