#include "ShellFixture.h"

#include "app/ui/TMdiAbout.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramDir.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <array>
#include <set>

namespace quarry {
namespace {

using test::RecordedBox;
using test::TempDir;
namespace fs = std::filesystem;

const RecordedBox kRestoring{MessageKind::Information, "Can't find Editor INI file. Restoring default settings.",
                             MessageButtons::Ok};

// The frame on a program home of its own; the instance channels live in the fixture's runtime
// directory so that no other Quarry on the machine sees these tests.
class MainFormTest : public test::ShellFixture {
protected:
    std::string ini() const { return file("Quarry.ini"); }
};

// The frame's menus: object name, caption, short-cut, enabled before later parts connect them.
struct MenuItemCase {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
    bool enabled;
};

TEST_F(MainFormTest, MenusCarryTheirCaptionsShortcutsAndNames)
{
    StartWithSettings("[PROJECT]\nOPEN=0\n");
    const MenuItemCase cases[] = {
        {"NewFile1", "&New File", QKeySequence("Ctrl+N"), true},
        {"OpenFile1", "&Open File...", QKeySequence("Ctrl+O"), true},
        {"NoEntries1", "<No entries>", {}, false},
        {"SaveFile1", "&Save File", QKeySequence("Ctrl+S"), false},
        {"SaveFile2", "", QKeySequence("F2"), false},
        {"SaveFileAs1", "Save File &As...", {}, false},
        {"CloseFile1", "&Close File       Ctrl+D   or", QKeySequence("Ctrl+F4"), false},
        {"Print1", "&Print...", QKeySequence("Ctrl+P"), false},
        {"PrintSetup1", "P&rint setup...", {}, true},
        {"Exit1", "E&xit", QKeySequence("Alt+F4"), true},
        {"Undo1", "&Undo", QKeySequence("Ctrl+Z"), false},
        {"Undo2", "", QKeySequence("Alt+Backspace"), false},
        {"Redo1", "&Redo", QKeySequence("Ctrl+Shift+Z"), false},
        {"Cut1", "Cu&t", QKeySequence("Ctrl+X"), false},
        {"Copy1", "&Copy", QKeySequence("Ctrl+C"), false},
        {"Paste1", "&Paste", QKeySequence("Ctrl+V"), false},
        {"Delete1", "&Delete", {}, false},
        {"SelectAll1", "&Select All", QKeySequence("Ctrl+A"), false},
        {"Assemble1", "Assemble", QKeySequence("F4"), false},
        {"RunDebugger1", "Run Debugger", QKeySequence("F6"), true},
        {"RunProgrammer1", "Run Programmer", QKeySequence("F7"), true},
        {"RunF81", "Run F8", QKeySequence("F8"), true},
        {"RunF91", "Run F9", QKeySequence("F9"), true},
        {"RegisterFiles1", "Register Files", QKeySequence("Shift+F1"), true},
        {"OpenProject1", "&Open Project", {}, true},
        {"AddFilestoProject1", "Add &Files to Project", {}, false},
        {"RemoveFilefromProject1", "&Remove File from Project", {}, false},
        {"SaveProject1", "&Save Project", {}, false},
        {"SaveProjectAs1", "S&ave Project As...", {}, true},
        {"CloseNewProject1", "&Close/New Project", {}, false},
        {"EnvironmentSettings1", "&Environment Settings...", {}, true},
        {"EditorOptions1", "E&ditor Options...", {}, false},
        {"EditorTemplates1", "Code &Templates...", {}, false},
        {"SyntaxPreferences1", "Syntax &Preferences", {}, true},
        {"GroupedUndo1", "&Grouped Undo", {}, true},
        {"UndoAfterSave1", "&Undo after save", {}, true},
        {"Find1", "&Find...", QKeySequence("Ctrl+F"), false},
        {"Replace1", "&Replace...", QKeySequence("Ctrl+R"), false},
        {"FindNext1", "Find &next", QKeySequence("F3"), false},
        {"GotoLine1", "&Go to line...", {}, false},
        {"NextError1", "&Next Error", QKeySequence("Ctrl+Alt+Down"), true},
        {"PreviousError1", "&Previous Error", QKeySequence("Ctrl+Alt+Up"), true},
        {"StopTool1", "&Stop Tool", {}, false},
        {"Cascade1", "&Cascade", {}, false},
        {"Tile1", "&Tile", {}, false},
        {"ArrangeIcons1", "&Arrange Icons", {}, false},
        {"MinimizeAll1", "&Minimize All", {}, false},
        {"WindowItem1", "&1 - Do Not Change Caption", {}, false},
        {"MoreWindows1", "&More Windows...", {}, false},
        {"Contents1", "&Contents", QKeySequence("F1"), true},
        {"About1", "&About...", {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* item = form().action(c.name);
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(c.caption, item->text().toStdString());
        EXPECT_EQ(c.shortcut, item->shortcut());
        EXPECT_EQ(c.enabled, item->isEnabled());
    }
    QStringList titles;
    for (auto* menu : form().menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ((QStringList{"&File", "&Edit", "E&nvironment", "&Search", "&Build", "&Window", "&Help"}), titles);
    EXPECT_FALSE(form().action("WindowItem1")->isVisible());
    EXPECT_TRUE(form().action("GroupedUndo1")->isChecked());
    EXPECT_TRUE(form().action("UndoAfterSave1")->isChecked());
}

// The texts that ship (help, the demo's README, the top README) describe only what works: no
// command that is still disabled, by its name or its key, outside the paragraph that begins
// "Still to come" and lists what is not there yet (a paragraph that goes once nothing is left).
TEST_F(MainFormTest, ShippedTextsOfferNoCommandThatIsStillDisabled)
{
    StartWithSettings("[PROJECT]\nOPEN=0\n");
    std::vector<QRegularExpression> unavailable;
    for (auto* item : form().findChildren<QAction*>()) {
        if (item->property("quarryWired").toBool() || item->isEnabled() || item->objectName() == "NoEntries1")
            continue;
        auto caption = item->text().remove(QLatin1Char('&')).remove(QStringLiteral("...")).section(QStringLiteral("  "), 0, 0);
        if (caption.contains(QRegularExpression(QStringLiteral("[A-Za-z]{3}"))))
            unavailable.emplace_back(QStringLiteral("\\b") + QRegularExpression::escape(caption.trimmed()),
                                     QRegularExpression::CaseInsensitiveOption);
        if (!item->shortcut().isEmpty())
            unavailable.emplace_back(QStringLiteral("(?<![\\w+])") +
                                     QRegularExpression::escape(item->shortcut().toString(QKeySequence::PortableText)) +
                                     QStringLiteral("\\b"));
    }
    for (const char* name : {"/data/quarry2.hlp", "/data/demo/README.txt", "/README.md"}) {
        SCOPED_TRACE(name);
        auto text = QString::fromStdString(TempDir::read(std::string(QUARRY_SOURCE_DIR) + name));
        ASSERT_FALSE(text.isEmpty());
        // With every command in place there is nothing left to announce.
        if (unavailable.empty()) {
            EXPECT_FALSE(text.contains(QStringLiteral("Still to come")));
        }
        text.remove(QRegularExpression(QStringLiteral("Still to come.*?(\\n\\s*\\n|$)"),
                                       QRegularExpression::DotMatchesEverythingOption));
        for (const auto& pattern : unavailable) {
            const auto match = pattern.match(text);
            EXPECT_FALSE(match.hasMatch()) << pattern.pattern().toStdString() << " in \""
                                           << text.mid(std::max(0, static_cast<int>(match.capturedStart()) - 60), 120).toStdString() << "\"";
        }
    }
}

TEST_F(MainFormTest, ToolBarHoldsItsButtonsInOrderWithHintsAndPictures)
{
    StartWithSettings("[PROJECT]\nOPEN=0\n");
    const char* const kNoExecutable =
        "This button runs an external program. The executable name is either invalid or undefined. Hotkey ";
    const struct {
        const char* name;
        const char* toolTip;
        std::string statusTip;
        int tag;
    } expected[] = {
        {"SpeedButton3", "Assemble/Compile File", "Assemble Compile File - Hotkey F4", 1},
        // Reading the settings gave the EXE buttons the hints of their slots (no executables).
        {"SpeedButton1", "External Program 1", kNoExecutable + std::string("F6"), 3},
        {"SpeedButton2", "External Program 2", kNoExecutable + std::string("F7."), 4},
        {"SpeedButton4", "External Program 3", kNoExecutable + std::string("F8."), 13},
        {"SpeedButton5", "External Program 4", kNoExecutable + std::string("F9."), 14},
        {"UndoButton", "Undo last action", "Undo last action", 0},
        {"RedoButton", "Redo last action", "Redo last action", 0},
        {"IndentButton", "Indent selected lines", "Indent selected lines", 0},
        {"UndentButton", "Un-indent selected lines", "Un-indent selected lines", 0},
        {"OpenBtn", "Open file", "Open a file for editing", 0},
        {"SaveBtn", "Save file", "Save current file - Hotkey F2", 0},
        {"CloseBtn", "Close File", "Close currently hilighted editor file", 0},
        {"OpenProjectBtn", "Open Existing Project", "Open Existing Project", 0},
        {"AddtoProjectBtn", "Add File to Project", "Add File to Project", 0},
        {"RemoveFromProjectBtn", "Remove File From Project", "Remove File From Project", 0},
        {"SavePrjBtn", "Save Project", "Save Project", 0},
        {"SpeedButton6", "Register Files",
         "Interpretes onboard peripheral registers. Choose register, set value, and then hit ENTER to write code. "
         "(Shift-F1)",
         0},
    };
    auto* toolBar = form().findChild<QToolBar*>("ToolBar1");
    ASSERT_NE(nullptr, toolBar);
    std::vector<QToolButton*> buttons;
    for (auto* action : toolBar->actions())
        if (auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(action)))
            buttons.push_back(button);
    ASSERT_EQ(std::size(expected), buttons.size());
    std::set<qint64> pictures;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(expected[i].name, buttons[i]->objectName().toStdString());
        EXPECT_EQ(expected[i].toolTip, buttons[i]->toolTip().toStdString());
        EXPECT_EQ(expected[i].statusTip, buttons[i]->statusTip().toStdString());
        EXPECT_EQ(expected[i].tag, buttons[i]->property("tag").toInt());
        EXPECT_EQ(QSize(26, 26), buttons[i]->size());
        ASSERT_FALSE(buttons[i]->icon().isNull());
        pictures.insert(buttons[i]->icon().pixmap(20, 20).toImage().cacheKey());
        // Opening a file or a project, saving a project, the tools and the register viewer need no
        // editor window or project.
        const std::set<std::string> alwaysOn = {"OpenBtn",      "OpenProjectBtn", "SavePrjBtn",   "SpeedButton1",
                                                "SpeedButton2", "SpeedButton4",   "SpeedButton5", "SpeedButton6"};
        EXPECT_EQ(alwaysOn.count(expected[i].name) == 1, buttons[i]->isEnabled());
    }
    EXPECT_EQ(buttons.size(), pictures.size()) << "each button has its own picture";
}

TEST_F(MainFormTest, StatusBarHasSixPanelsThatAHintReplaces)
{
    StartWithSettings("[PROJECT]\nOPEN=0\n");
    const int widths[] = {95, 65, 95, 105, 118, 65};
    int previousRight = -1;
    for (int n = 2; n <= 7; ++n) {
        auto* panel = form().statusPanel(n);
        ASSERT_NE(nullptr, panel) << n;
        EXPECT_EQ(widths[n - 2], panel->width()) << n;
        EXPECT_TRUE(panel->isVisible());
        EXPECT_GT(panel->x(), previousRight) << "left to right";
        previousRight = panel->x();
    }
    EXPECT_EQ(25, form().statusBar()->height());
    form().statusBar()->showMessage("Open a file for editing");
    EXPECT_FALSE(form().statusPanel(2)->isVisible());
    form().statusBar()->clearMessage();
    EXPECT_TRUE(form().statusPanel(7)->isVisible());
}

// The first start on an installation that only holds QUARRY.DEF: the information box, a
// Quarry.ini with the installation's directory in it, and the settings written back at exit.
TEST_F(MainFormTest, FirstStartFromQuarryHomeRestoresDefaultsAndWritesThemBackOnExit)
{
    fs::create_directories(dir.path() / "qhome");
    fs::copy_file(std::string(QUARRY_DATA_DIR) + "/QUARRY.DEF", dir.path() / "qhome" / "QUARRY.DEF");
    qputenv("QUARRY_HOME", QByteArray::fromStdString(dir.file("qhome")));
    const auto programDir = programDirectory();
    qunsetenv("QUARRY_HOME");
    EXPECT_EQ(dir.file("qhome"), programDir);

    QuarryShell first(ui, {programDir, dir.file("qhome/quarry"), {}});
    first.start();
    EXPECT_TRUE(first.about().isVisible() && first.about().isSplash()) << "the splash shows during start-up";
    ASSERT_TRUE(test::runEventsUntil([&] { return first.mainForm().startupDone(); }));
    EXPECT_FALSE(first.about().isVisible());
    EXPECT_TRUE(first.about().findChild<QPushButton*>("OKButton")->isVisibleTo(&first.about()));
    EXPECT_EQ((std::vector<RecordedBox>{kRestoring}), ui.boxes());
    const auto ini = dir.file("qhome/Quarry.ini");
    const auto created = TempDir::read(ini);
    EXPECT_EQ(std::string::npos, created.find("DEFAULTD"));
    EXPECT_NE(std::string::npos, created.find("SOURCEPATH=" + programDir + "\n"));
    EXPECT_EQ("Quarry - [No Project]", first.mainForm().windowTitle().toStdString());

    // A change made while running must reach the file at exit.
    first.mainForm().action("GroupedUndo1")->trigger();
    EXPECT_FALSE(first.settings().editor.groupedUndo);
    ui.answer(Answer::Yes);
    first.mainForm().action("Exit1")->trigger();
    EXPECT_FALSE(first.mainForm().isVisible());
    EXPECT_EQ((std::vector<RecordedBox>{kRestoring, {MessageKind::Confirmation, "Exit Application?", MessageButtons::YesNo}}),
              ui.boxes());
    ProfileFile written(ini);
    EXPECT_EQ(0, written.readInteger("EDITOROPTIONS", "GROUPEDUNDO", -1));
    EXPECT_EQ(programDir, written.readString("PROJECT", "SOURCEPATH", ""));
    const auto screen = first.mainForm().screenSize();
    EXPECT_EQ(screen.width, written.readInteger("MAINWIN", "SCREENWIDTH", -1));
    EXPECT_EQ(8, static_cast<int>(written.keyNames("EDITOROPTIONS").size()) - 5) << "all eight filters kept";
}

// EDITORFONT takes the active window's text font, its style flags included.
TEST_F(MainFormTest, TheEditorFontRecordCarriesTheTextFontsStyle)
{
    Start();
    form().OpenFileByName(dir.write("home/a.c", "int a;\n"));
    ASSERT_NE(nullptr, Active());
    auto& memo = Active()->SEditor1->Memo();
    const std::pair<std::uint8_t, std::array<bool, 4>> cases[] = {
        {fsBold | fsUnderline, {true, false, true, false}},
        {fsItalic | fsStrikeOut, {false, true, false, true}},
        {0, {false, false, false, false}},  // last: the language's font is shared with later tests
    };
    for (const auto& [style, flags] : cases) {
        TCM_Font font = memo.Font();
        font.style = style;
        memo.SetFont(font);
        const auto record = form().activeEditorFont();
        ASSERT_TRUE(record);
        EXPECT_EQ(flags, (std::array<bool, 4>{record->bold, record->italic, record->underline, record->strikeOut}))
            << int(style);
    }
}

TEST_F(MainFormTest, MissingTemplateHaltsStartUp)
{
    Launch();
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, "Can't find default desktop files. Halting.",
                                         MessageButtons::Ok}}),
              ui.boxes());
    EXPECT_TRUE(form().terminationRequested());
    EXPECT_FALSE(fs::exists(ini()));
}

TEST_F(MainFormTest, AnsweringNoToExitKeepsTheWindowOpenAndWritesNothing)
{
    StartWithSettings("[PROJECT]\nOPEN=0\n");
    const auto before = TempDir::read(ini());
    ui.answer(Answer::No);
    form().close();
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(before, TempDir::read(ini()));
}

TEST_F(MainFormTest, CancelAtTheProjectQuestionLeavesEverythingOpen)
{
    // The project's own settings count, not those of Quarry.ini.
    const auto project = dir.write("p/demo.ppf", "[PROJECT]\nNAME=demo.ppf\nOPEN=1\n"
                                                 "[GENERALEXECUTABLE]\nASKEXITAPPLICATION=0\n");
    StartWithSettings("[PROJECT]\nNAME=" + project + "\nOPEN=1\n[GENERALEXECUTABLE]\nASKEXITAPPLICATION=1\n");
    EXPECT_EQ("Quarry - [demo.ppf]", form().windowTitle().toStdString());
    const auto before = TempDir::read(project);
    ui.answer(Answer::Cancel);
    form().action("Exit1")->trigger();
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Confirmation, "Do you wish to save project demo.ppf?",
                                         MessageButtons::YesNoCancel}}),
              ui.boxes());
    EXPECT_EQ(before, TempDir::read(project));
}

TEST_F(MainFormTest, WithoutQuestionsExitClosesAtOnce)
{
    StartWithSettings("[PROJECT]\nOPEN=0\n[GENERALEXECUTABLE]\nASKEXITAPPLICATION=0\nEXITAUTOSAVEPROJECT=0\n");
    form().close();
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_TRUE(ProfileFile(ini()).sectionExists("MAINWIN"));
}

TEST_F(MainFormTest, UnwritableSettingsAtExitShowTheErrorAndStillClose)
{
    StartWithSettings("[PROJECT]\nOPEN=0\n[GENERALEXECUTABLE]\nASKEXITAPPLICATION=0\n");
    fs::remove(ini());
    fs::create_directory(ini());
    form().close();
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, "Error writing to IDE initialization file.",
                                         MessageButtons::Ok}}),
              ui.boxes());
}

TEST_F(MainFormTest, SettingsLayoutIsAppliedAndAMaximisedWindowStoresItsNormalBounds)
{
    const auto screen = QGuiApplication::primaryScreen()->size();
    StartWithSettings("[PROJECT]\nOPEN=0\n[GENERALEXECUTABLE]\nASKEXITAPPLICATION=0\n[MAINWIN]\nSCREENWIDTH=" +
             std::to_string(screen.width()) + "\nSCREENHEIGHT=" + std::to_string(screen.height()) +
             "\nLEFT=12\nTOP=34\nWIDTH=700\nHEIGHT=400\nTREEWIDTH=120\nSTATE=0\n");
    auto& form = this->form();
    EXPECT_EQ((WindowBounds{12, 34, 700, 400}), form.mainWindowBounds());
    EXPECT_EQ(120, form.projectTreeWidth());
    form.showMaximized();
    ASSERT_TRUE(test::runEventsUntil([&] { return form.isMaximized(); }));
    EXPECT_EQ((WindowBounds{12, 34, 700, 400}), form.restoredBounds());
    form.close();
    ProfileFile written(ini());
    const std::pair<const char*, int> expected[] = {{"LEFT", 12},  {"TOP", 34},       {"WIDTH", 700},
                                                    {"HEIGHT", 400}, {"TREEWIDTH", 120}, {"STATE", 2}};
    for (const auto& [key, value] : expected)
        EXPECT_EQ(value, written.readInteger("MAINWIN", key, -1)) << key;
}

TEST_F(MainFormTest, AboutShowsTheVersionWithItsOkButton)
{
    StartWithSettings("[PROJECT]\nOPEN=0\n");
    auto& about = shell->about();
    EXPECT_EQ("Version 2.07b", about.findChild<QLabel*>("Version")->text().toStdString());
    EXPECT_EQ("For Windows 95/98/NT/2000/XP", about.findChild<QLabel*>("Comments")->text().toStdString());
    bool okShown = false;
    QTimer::singleShot(0, [&] {
        auto* ok = about.findChild<QPushButton*>("OKButton");
        okShown = about.isVisible() && ok->isVisible();
        ok->click();
    });
    form().action("About1")->trigger();
    EXPECT_TRUE(okShown);
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace quarry
