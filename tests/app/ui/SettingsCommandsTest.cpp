// Environment > Environment Settings... in the running program: the dialog edits the live
// settings, the tool buttons' hints follow, and Cancel gives everything back.
#include "ShellFixture.h"

#include "app/ui/SettingsCommands.h"
#include "tools/ui/TIDEConfig1.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace quarry {
namespace {

class SettingsCommandsTest : public test::StartedShellFixture {
protected:
    TIDEConfig1* Dialog() { return form().findChild<TIDEConfig1*>(); }
    std::string Hint() { return fromQt(form().toolButton("SpeedButton1")->statusTip()); }
};

TEST_F(SettingsCommandsTest, TheDialogSetsTheToolsAndCancelGivesThemBack)
{
    const auto debugger = write("debugger.sh", "#!/bin/sh\n");
    std::filesystem::permissions(debugger, std::filesystem::perms::owner_all);
    const struct {
        std::string path;
        bool ok;
        std::string hint;
    } cases[] = {
        {debugger, true, "Run the Debugger (External program 1 set as  " + debugger + ") - Hotkey F6"},
        {file("gone.sh"), true,
         "This button runs an external program. The executable name is either invalid or undefined. Hotkey F6"},
        {debugger, false,
         "This button runs an external program. The executable name is either invalid or undefined. Hotkey F6"},
    };
    for (const auto& c : cases) {
        std::string hintWhileOpen;
        QTimer::singleShot(0, [&] {
            Dialog()->exeName[0]->setText(toQt(c.path));
            hintWhileOpen = Hint();
            (c.ok ? Dialog()->OkButton : Dialog()->CancelButton)->click();
        });
        Trigger("EnvironmentSettings1");
        EXPECT_EQ(c.ok ? c.path : file("gone.sh"), form().settings().tools[0].name);
        EXPECT_EQ(c.hint, Hint());
        EXPECT_NE(std::string::npos, hintWhileOpen.find(c.path == debugger ? "set as" : "undefined"));
        EXPECT_FALSE(std::filesystem::exists(file("Quarry.tmp")));
    }
}

}  // namespace
}  // namespace quarry
