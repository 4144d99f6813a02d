#pragma once
// A running shell on a temporary program home, for the tests of the main window's commands:
// settings with file filters and no exit question, helpers that type into editor windows.
#include "app/ui/EditorWindows.h"
#include "app/ui/QuarryShell.h"
#include "app/ui/TMainForm.h"
#include "editor/TCustomCodeMemo.h"
#include "editor/ui/TCodeMemo.h"
#include "editorwin/ui/TMDIChild.h"
#include "platform/ui/QtUserInterface.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"
#include "support/ui/EventWait.h"
#include "support/ui/PrivateRuntimeDir.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quarry::test {

class ShellFixture : public ::testing::Test {
protected:
    ShellFixture() { std::filesystem::create_directories(dir.path() / "home"); }

    // Starts the shell with the given extra settings lines appended to the defaults.
    void Start(const std::string& extraSettings = "", std::vector<std::string> arguments = {})
    {
        StartWithSettings("[PROJECT]\nOPEN=0\nSOURCEPATH=" + home() + "\nPROJECTPATH=" + home() +
                              "\n[GENERALEXECUTABLE]\nASKEXITAPPLICATION=0\n"
                              "[EDITOROPTIONS]\nCREATEBACKUPFILE=1\nGROUPEDUNDO=1\nUNDOAFTERSAVE=1\nDEFAULTSYNTAX=6\n"
                              "FILEFILTER0=Assembly Files (*.asm)|*.asm;*.s\nFILEFILTER1=C Files (*.c)|*.c;*.h\n"
                              "FILEFILTER2=All Files (*.*)|*.*\nFILEFILTERINDEX=1\n" +
                              extraSettings,
                          std::move(arguments));
    }
    // Starts (again) with exactly this environment file.
    void StartWithSettings(const std::string& settings, std::vector<std::string> arguments = {})
    {
        dir.write("home/Quarry.ini", settings);
        Launch(std::move(arguments));
    }
    // Starts on whatever the program home holds.
    void Launch(std::vector<std::string> arguments = {})
    {
        shell.reset();
        shell = std::make_unique<QuarryShell>(ui, QuarryShell::Options{home(), home() + "/quarry", std::move(arguments)});
        shell->start();
        ASSERT_TRUE(runEventsUntil([&] { return shell->mainForm().startupDone(); }));
        QApplication::setActiveWindow(&form());
        QApplication::processEvents();
    }

    TMainForm& form() { return shell->mainForm(); }
    std::string home() const { return dir.file("home"); }
    std::string file(const std::string& name) const { return dir.file("home/" + name); }
    std::string write(const std::string& name, const std::string& content) { return dir.write("home/" + name, content); }
    std::string read(const std::string& name) const { return TempDir::read(file(name)); }

    void Trigger(const char* name)
    {
        auto* item = form().action(QString::fromLatin1(name));
        ASSERT_NE(nullptr, item) << name;
        ASSERT_TRUE(item->isEnabled()) << name << " is disabled";
        item->trigger();
        QApplication::processEvents();
    }
    TMDIChild* Active() { return form().ActiveEditor(); }
    std::vector<TMDIChild*> Windows() { return form().EditorWindowsInOrder(); }
    std::vector<std::string> Captions()
    {
        std::vector<std::string> out;
        for (auto* window : Windows())
            out.push_back(fromQt(window->windowTitle()));
        return out;
    }
    TCustomCodeMemo& Memo(TMDIChild* window) { return window->SEditor1->Memo(); }
    // Types into a window's editor as key strokes.
    void TypeInto(TMDIChild* window, const QString& text)
    {
        QTest::keyClicks(window->SEditor1, text);
        QApplication::processEvents();
    }
    // A key with modifiers through the window system, as a user presses it: short-cuts apply.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        form().activateWindow();
        QApplication::processEvents();
        QTest::keyClick(form().windowHandle(), key, modifiers);
        QApplication::processEvents();
    }
    std::string Panel(int number) { return fromQt(form().statusPanel(number)->text()); }
    // Lets deferred work (deleted windows, queued refreshes) finish.
    void Settle()
    {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    TempDir dir;
    PrivateRuntimeDir runtime{dir};
    ScriptedUserInterface ui;
    std::unique_ptr<QuarryShell> shell;  // ends first, while the runtime directory is still set
};

// For the tests that all run on a shell started with the default settings.
class StartedShellFixture : public ShellFixture {
protected:
    void SetUp() override { Start(); }
};

}  // namespace quarry::test
