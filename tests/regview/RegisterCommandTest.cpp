// The whole register command without a window: the file list, the register list (Esc goes back
// to the files), the register window, and the line written above the caret through the
// clipboard, which gets its old text back.
#include "RegisterTestDoubles.h"

#include "regview/RegisterCommand.h"
#include "regview/RegisterViewerTexts.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <new>

namespace quarry {
namespace {

using test::key;
using RecordedBox = test::ScriptedUserInterface::RecordedBox;

const char kUart[] = "UART block\n"
                     "B 00000140 UMR1   mode\n"
                     " B76CM channel mode\n"
                     "  0000 Normal\n"
                     " B10BC bits\n"
                     "X 0000014C URB    buffer\n";

class RegisterCommandTest : public ::testing::Test {
protected:
    RegisterCommandTest()
    {
        dir.write("a_notitle.reg", "   \n");
        dir.write("b_uart.reg", kUart);
        dir.write("c_title.REG", "Title only\n");
        dir.write("notes.txt", "not a register file\n");
        editor.lines = {"first", "second"};
        editor.caretRow = 1;
        editor.caretColumn = 3;
        editor.clipboard = "old";
    }

    test::TempDir dir;
    RegisterDirectory library{dir.path().string()};
    test::ScriptedPicker picker;
    test::ScriptedView view;
    test::FakeEditor editor;
    test::ScriptedUserInterface ui;
    RegisterCommand command{library, picker, view, editor, ui};
};

TEST_F(RegisterCommandTest, EscInTheRegisterListGoesBackToTheFiles)
{
    picker.Choose(2);  // "Title only": an empty register list
    picker.Cancel();
    picker.Choose(1);
    picker.Cancel();
    picker.Choose(1);
    picker.Choose(0);
    view.Type({key(RegisterKey::Left), key(RegisterKey::Enter)});
    command.Run();
    const std::string files = kChooseRegisterBlockCaption;
    EXPECT_EQ((std::vector<std::string>{files, " Title only ", files, " UART block ", files, " UART block "}),
              picker.Captions());
    EXPECT_EQ((std::vector<std::string>{"a_notitle.reg", "UART block", "Title only"}), picker.shown()[0].items);
    EXPECT_TRUE(picker.shown()[1].items.empty());
    EXPECT_EQ((std::vector<std::string>{"00000140 UMR1   mode", "0000014C URB    buffer"}), picker.shown()[3].items);
    EXPECT_EQ(2, picker.shown()[2].preselected) << "the file list comes back on the file left";
    EXPECT_EQ(1, picker.shown()[4].preselected);
    EXPECT_EQ("$C0 ;00000140 UMR1   mode", command.CodeText());
    EXPECT_TRUE(ui.boxes().empty());
}

struct WriteCase {
    const char* name;
    int reg;
    std::vector<QueuedKey> keys;
    bool editorActive;
    std::string code;
    std::vector<std::string> lines;
};

TEST_F(RegisterCommandTest, EnterWritesTheLineAboveTheCaretsLine)
{
    using K = RegisterKey;
    const std::vector<WriteCase> cases = {
        {"a value", 0, {key(K::Down), key(K::Right), key(K::Enter)}, true, "$01 ;00000140 UMR1   mode",
         {"first", "        $01 ;00000140 UMR1   mode", "second"}},
        {"an X register writes the comment only", 1, {key(K::Enter)}, true, " ;0000014C URB    buffer",
         {"first", "         ;0000014C URB    buffer", "second"}},
        {"Esc writes nothing", 0, {key(K::Right), key(K::Escape)}, true, "", {"first", "second"}},
        {"no editor window, no line", 0, {key(K::Enter)}, false, "$00 ;00000140 UMR1   mode", {"first", "second"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakeEditor editor;
        editor.lines = {"first", "second"};
        editor.caretRow = 1;
        editor.caretColumn = 3;
        editor.clipboard = "old";
        editor.active = c.editorActive;
        test::ScriptedPicker picker;
        picker.Choose(1);
        picker.Choose(c.reg);
        test::ScriptedView view;
        view.Type(c.keys);
        RegisterCommand command(library, picker, view, editor, ui);
        command.Run();
        EXPECT_EQ(c.code, command.CodeText());
        EXPECT_EQ(c.lines, editor.lines);
        EXPECT_EQ("old", editor.clipboard.value_or("(none)"));
        const bool wrote = c.lines.size() == 3;
        EXPECT_EQ(wrote ? 2 : 1, editor.caretRow) << "the caret stays on its line";
        const std::vector<std::string> steps = {"keep", "set", "home", "paste", "restore"};
        EXPECT_EQ(wrote ? steps : std::vector<std::string>(), editor.calls);
        EXPECT_FALSE(command.Running());
    }
}

TEST_F(RegisterCommandTest, NoRegisterFiles)
{
    test::TempDir empty;
    empty.write("other.txt", "x");
    RegisterDirectory none(empty.path().string());
    RegisterCommand emptyCommand(none, picker, view, editor, ui);
    emptyCommand.Run();
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, kNoRegisterFiles, MessageButtons::Ok}}), ui.boxes());
    EXPECT_TRUE(picker.shown().empty());
}

// A library whose files fail to load in a given way.
class FailingLibrary final : public RegisterLibrary {
public:
    explicit FailingLibrary(bool outOfMemory) : outOfMemory_(outOfMemory) {}
    std::vector<RegisterFileEntry> List() override { return {{"/gone/x.reg", "X"}}; }
    std::optional<std::string> Read(const std::string&) override
    {
        if (outOfMemory_)
            throw std::bad_alloc();
        return std::nullopt;
    }

private:
    bool outOfMemory_;
};

TEST_F(RegisterCommandTest, LoadFailuresEndTheCommandWithAMessage)
{
    for (const bool outOfMemory : {false, true}) {
        test::ScriptedUserInterface ui;
        FailingLibrary failing(outOfMemory);
        picker.Choose(0);
        RegisterCommand failingCommand(failing, picker, view, editor, ui);
        failingCommand.Run();
        const std::string message = outOfMemory ? kInsufficientMemory : "Cannot read the register file /gone/x.reg.";
        EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, message, MessageButtons::Ok}}), ui.boxes());
        EXPECT_EQ(0, view.opened);
        EXPECT_FALSE(failingCommand.Running());
    }
}

TEST_F(RegisterCommandTest, ASecondCommandWhileTheWindowIsOpenBringsItToTheFront)
{
    picker.Choose(1);
    picker.Choose(0);
    bool running = false;
    view.whileWaiting = [&] {
        running = command.Running();
        view.whileWaiting = nullptr;
        command.Run();
    };
    view.Type({key(RegisterKey::Enter)});
    command.Run();
    EXPECT_TRUE(running);
    EXPECT_EQ(1, view.broughtToFront);
    EXPECT_EQ(1, view.opened);
    EXPECT_EQ(3u, editor.lines.size());
}

TEST_F(RegisterCommandTest, LinesLeftOutOfTheChosenRegisterAreNamedFirst)
{
    dir.write("b_uart.reg", std::string(kUart) + "B*00000001 OTHER\n B9 too high\nB 00000002 THIRD\n B8 out\n");
    picker.Choose(1);
    picker.Choose(2);
    command.Run();
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Warning,
                                         "Register description lines read with warnings:\n"
                                         "line 8: bit 9 is outside the 8-bit register; field left out",
                                         MessageButtons::Ok}}),
              ui.boxes());
    EXPECT_EQ(1, view.opened);
}

}  // namespace
}  // namespace quarry
