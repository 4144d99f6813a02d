// Help > Contents with its help-file chooser and help window, and the pick window's list,
// type-ahead and keys.
#include "ShellFixture.h"

#include "app/ui/HelpCommands.h"
#include "app/ui/THelpWindow.h"
#include "app/ui/TPickWIndow1.h"

#include <QLabel>
#include <QListView>
#include <QTimer>

namespace quarry {
namespace {

using test::RecordedBox;
namespace fs = std::filesystem;

class HelpTest : public test::ShellFixture {};

TEST_F(HelpTest, ContentsOffersTheHelpFilesAndOpensTheChosenOne)
{
    fs::copy_file(std::string(QUARRY_DATA_DIR) + "/quarry2.hlp", file("quarry2.hlp"));
    write("extra.hlp", "<html><head><title>Extra</title></head><body><p>Board notes</p></body></html>");
    Start();
    ui.pick(1);
    Trigger("Contents1");
    ASSERT_EQ(1u, ui.picks().size());
    EXPECT_EQ(" Select Help File to Load ", ui.picks()[0].title);
    EXPECT_EQ((std::vector<std::string>{"extra.hlp", "quarry2.hlp"}), ui.picks()[0].items);
    EXPECT_EQ(1, ui.picks()[0].preselected) << "quarry2.hlp is the help file from the start";
    auto* window = form().helpCommands().helpWindow();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ("Quarry Help", window->windowTitle().toStdString());
    EXPECT_NE(std::string::npos, window->toPlainText().toStdString().find("prog.~as"));

    ui.pick(0);
    Trigger("Contents1");
    EXPECT_EQ("Extra", window->windowTitle().toStdString());
    EXPECT_NE(std::string::npos, window->toPlainText().toStdString().find("Board notes"));

    ui.cancelPick();  // the help file stays
    Trigger("Contents1");
    EXPECT_EQ(file("extra.hlp"), form().helpCommands().HelpFile());
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(HelpTest, AMissingOrUnreadableHelpFileIsReported)
{
    Start();
    Trigger("Contents1");  // no help file at all: no list to pick from
    EXPECT_TRUE(ui.picks().empty());
    form().helpCommands().SetHelpFile(file("vanished.hlp"));
    Trigger("Contents1");
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, "Can't find help file.", MessageButtons::Ok},
                                        {MessageKind::Error, "Error opening help file.", MessageButtons::Ok}}),
              ui.boxes());
}

TEST(PickWindowTest, TypeAheadSelectsAndEnterChoosesEscCancels)
{
    const std::vector<std::string> items = {"alpha.c", "Beta.c", "bravo.c", "charlie.c"};
    auto itemText = [&](int i) { return items[static_cast<std::size_t>(i)]; };
    TPickWIndow1 window;
    int index = 3;
    QTimer::singleShot(0, &window, [&] {
        EXPECT_EQ(3, window.ListBox1()->currentIndex().row()) << "the current entry is preselected";
        EXPECT_EQ(" Editor File List ", window.windowTitle().toStdString());
        QTest::keyClicks(window.ListBox1(), "br");
        EXPECT_EQ("BR", window.HotKeyText()->text().toStdString());
        EXPECT_EQ(2, window.ListBox1()->currentIndex().row());
        QTest::keyClick(window.ListBox1(), Qt::Key_Return);
    });
    EXPECT_TRUE(window.Pick(itemText, 4, " Editor File List ", index));
    EXPECT_EQ(2, index);

    QTimer::singleShot(0, &window, [&] {
        EXPECT_EQ("", window.HotKeyText()->text().toStdString()) << "typing starts afresh";
        QTest::keyClick(window.ListBox1(), Qt::Key_C);
        QTest::keyClick(window.ListBox1(), Qt::Key_Escape);
    });
    index = 0;
    EXPECT_FALSE(window.Pick(itemText, 4, "list", index));
    EXPECT_EQ(0, index);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(PickWindowTest, ALongListIsAskedOnlyForTheRowsItShowsAndTypeAhead)
{
    int asked = 0;
    auto itemText = [&](int i) {
        ++asked;
        return "item" + std::to_string(i);
    };
    TPickWIndow1 window;
    int index = -1;
    QTimer::singleShot(0, &window, [&] {
        QApplication::processEvents();
        EXPECT_LT(asked, 1000) << "showing the list asks for the rows in view only";
        QTest::keyClicks(window.ListBox1(), "item99999");
        QTest::keyClick(window.ListBox1(), Qt::Key_Enter);
    });
    EXPECT_TRUE(window.Pick(itemText, 100000, "many", index));
    EXPECT_EQ(99999, index);
}

}  // namespace
}  // namespace quarry
