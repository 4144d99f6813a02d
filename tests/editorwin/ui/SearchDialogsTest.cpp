// The Search menu's dialogs on a real editor widget: what they open with, what their buttons
// do, what they leave in the store, and the menu items' states.
#include "editor/ui/TCodeMemo.h"
#include "editorwin/ui/SearchCommands.h"
#include "platform/PersistentEditorStore.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <memory>

namespace quarry {
namespace {

using test::RecordedBox;
using test::ScriptedUserInterface;
using test::TempDir;

QStringList items(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

class SearchDialogsTest : public ::testing::Test {
protected:
    SearchDialogsTest()
        : store(dir.file("quarry.dat")),
          editor(new TCodeMemo(&window)),
          commands(&window, ui, store),
          last(commands.lastSearch())
    {
        window.setCentralWidget(editor);
        window.resize(600, 400);
        auto* menu = new QMenu(&window);
        find = menu->addAction(QStringLiteral("&Find..."));
        replace = menu->addAction(QStringLiteral("&Replace..."));
        findNext = menu->addAction(QStringLiteral("Find &next"));
        goToLine = menu->addAction(QStringLiteral("&Go to line..."));
        commands.activeEditor = [this]() -> TCodeMemo* { return editor; };
        commands.goToRow = [this](int row) { rows.push_back(row); };
        commands.connectActions(menu, find, replace, findNext, goToLine);
    }
    ~SearchDialogsTest() override
    {
        commands.findDialog().close();
        commands.replaceDialog().close();
    }
    void Load(const std::string& text, Offset anchor = 0, Offset caret = 0)
    {
        editor->Memo().SetText(text);
        editor->Memo().SetSelection(anchor, caret);
        commands.updateActions();
    }
    std::string Selected()
    {
        auto& memo = editor->Memo();
        return std::to_string(memo.SelStart()) + "," + std::to_string(memo.SelStart() + memo.SelLength());
    }
    static void type(QComboBox* box, const std::string& text) { box->setEditText(QString::fromStdString(text)); }
    // Opens a dialog from its menu item with the texts typed in.
    TEdFindDlg& Find(const std::string& text)
    {
        find->trigger();
        type(commands.findDialog().FindHistoryBox, text);
        return commands.findDialog();
    }
    TEdReplDlg& Replace(const std::string& text, const std::string& with)
    {
        replace->trigger();
        type(commands.replaceDialog().FindHistoryBox, text);
        type(commands.replaceDialog().ReplHistoryBox, with);
        return commands.replaceDialog();
    }

    TempDir dir;
    ScriptedUserInterface ui;
    PersistentEditorStore store;
    QMainWindow window;
    TCodeMemo* editor;
    SearchCommands commands;
    LastSearch& last;
    QAction* find;
    QAction* replace;
    QAction* findNext;
    QAction* goToLine;
    std::vector<int> rows;
};

TEST_F(SearchDialogsTest, DialogsCarryTheirTitlesAndCaptions)
{
    auto& f = commands.findDialog();
    auto& r = commands.replaceDialog();
    EXPECT_EQ(QStringLiteral("Find text..."), f.windowTitle());
    EXPECT_EQ(QStringLiteral("Find and replace text..."), r.windowTitle());
    EXPECT_FALSE(f.isModal());
    const std::pair<QAbstractButton*, const char*> captions[] = {
        {f.UseCaseBox, "&Case sensitive"}, {f.RegExBox, "&Regular expressions"}, {f.WholeWordBox, "&Whole words"},
        {f.FwdDirection, "Forwar&d"},      {f.BackDirection, "&Back"},           {f.OKButton, "OK"},
        {f.CancelButton, "Cancel"},        {r.PromptOnReplBox, "&Prompt on Replace"},
        {r.ReplaceAllButton, "Replace &All"},
    };
    for (const auto& [button, caption] : captions)
        EXPECT_EQ(QString::fromLatin1(caption), button->text()) << caption;
}

TEST_F(SearchDialogsTest, FindOpensWithTheSelectionOnTopOfTheHistoryAndTheLastOptions)
{
    store.SetList("FindHistory", {"older", "oldest"});
    last = {"older", 8 | 16 | 128};
    Load("alpha beta", 6, 10);
    find->trigger();
    auto& f = commands.findDialog();
    ASSERT_TRUE(f.isVisible());
    EXPECT_EQ((QStringList{"beta", "older", "oldest"}), items(f.FindHistoryBox));
    EXPECT_EQ(QStringLiteral("beta"), f.FindHistoryBox->currentText());
    EXPECT_TRUE(f.UseCaseBox->isChecked());
    EXPECT_FALSE(f.RegExBox->isChecked());
    EXPECT_TRUE(f.BackDirection->isChecked());
    EXPECT_FALSE(f.FwdDirection->isChecked());
    EXPECT_TRUE(f.OKButton->isEnabled());
    // While the dialog is open the editor shows its selection without the focus.
    EXPECT_FALSE(editor->HideSelection());
}

TEST_F(SearchDialogsTest, WithoutSelectionTheLastSearchTextIsOffered)
{
    last = {"needle", 8};
    store.SetList("FindHistory", {"hay", "needle"});
    Load("a needle", 0, 0);
    find->trigger();
    EXPECT_EQ((QStringList{"hay", "needle"}), items(commands.findDialog().FindHistoryBox));
    EXPECT_EQ(QStringLiteral("needle"), commands.findDialog().FindHistoryBox->currentText());
}

TEST_F(SearchDialogsTest, OkIsEnabledOnlyWithASearchText)
{
    Load("text");
    replace->trigger();
    auto& r = commands.replaceDialog();
    EXPECT_FALSE(r.OKButton->isEnabled());
    EXPECT_FALSE(r.ReplaceAllButton->isEnabled());
    type(r.FindHistoryBox, "x");
    EXPECT_TRUE(r.OKButton->isEnabled());
    EXPECT_TRUE(r.ReplaceAllButton->isEnabled());
    type(r.FindHistoryBox, "");
    EXPECT_FALSE(r.ReplaceAllButton->isEnabled());
}

TEST_F(SearchDialogsTest, FindOkSelectsTheNextMatchAndStaysOpen)
{
    Load("one two one two");
    auto& f = Find("two");
    f.OKButton->click();
    EXPECT_EQ("4,7", Selected());
    f.OKButton->click();
    EXPECT_EQ("12,15", Selected());
    f.OKButton->click();
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Information, "\"two\" not found", MessageButtons::Ok}}), ui.boxes());
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ((QStringList{"two"}), items(f.FindHistoryBox));
    EXPECT_EQ("two", last.text);
    EXPECT_EQ(8, last.options);
}

TEST_F(SearchDialogsTest, FindNextFollowsTheLastSearch)
{
    Load("ab ab ab");
    EXPECT_FALSE(findNext->isEnabled());
    Find("ab").OKButton->click();
    EXPECT_TRUE(findNext->isEnabled());
    findNext->trigger();
    EXPECT_EQ("3,5", Selected());
}

TEST_F(SearchDialogsTest, CommandsNeedAnEditorWithText)
{
    Load("");
    EXPECT_FALSE(find->isEnabled());
    EXPECT_FALSE(goToLine->isEnabled());
    Load("x");
    EXPECT_TRUE(find->isEnabled());
    commands.activeEditor = [] { return static_cast<TCodeMemo*>(nullptr); };
    commands.updateActions();
    EXPECT_FALSE(replace->isEnabled());
    find->trigger();
    EXPECT_FALSE(commands.findDialog().isVisible());
}

TEST_F(SearchDialogsTest, ReplaceAllFromTheDialogIsUndoneInOneStep)
{
    Load("cat sat on the cat mat");
    auto& r = Replace("at", "og");
    r.ReplaceAllButton->click();
    EXPECT_EQ("cog sog on the cog mog", editor->Memo().Text());
    editor->Memo().Undo();
    EXPECT_EQ("cat sat on the cat mat", editor->Memo().Text());
    EXPECT_EQ((QStringList{"og"}), items(r.ReplHistoryBox));
}

TEST_F(SearchDialogsTest, ReplaceWithPromptAsksTheExactQuestion)
{
    Load("x foo");
    auto& r = Replace("foo", "bar");
    r.PromptOnReplBox->setChecked(true);
    ui.answer(Answer::Yes);
    r.OKButton->click();
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Confirmation, "Replace this instance of \"foo\" with \"bar\" ?",
                                         MessageButtons::YesNoCancel}}),
              ui.boxes());
    EXPECT_EQ("x bar", editor->Memo().Text());
}

TEST_F(SearchDialogsTest, ClosingStoresAtMostTwentyTextsInQuarryDat)
{
    Load("text");
    for (int i = 1; i <= 21; ++i)
        Replace("find " + std::to_string(i), "with " + std::to_string(i)).OKButton->click();  // nothing found: no question
    auto& r = commands.replaceDialog();
    r.CancelButton->click();
    EXPECT_FALSE(r.isVisible());
    EXPECT_TRUE(editor->HideSelection());
    store.WriteBack();
    const PersistentEditorStore reread(dir.file("quarry.dat"));
    const auto finds = reread.Section("FindHistory");
    const auto withs = reread.Section("ReplaceHistory");
    ASSERT_EQ(20u, finds.size());
    ASSERT_EQ(20u, withs.size());
    EXPECT_EQ("find 21", finds.front());
    EXPECT_EQ("find 2", finds.back());
    EXPECT_EQ("with 2", withs.back());
}

TEST_F(SearchDialogsTest, ReopeningWhileOpenKeepsTheGrownHistory)
{
    Load("abc");
    Find("zz").OKButton->click();
    find->trigger();
    EXPECT_TRUE(items(commands.findDialog().FindHistoryBox).contains(QStringLiteral("zz")));
}

TEST_F(SearchDialogsTest, DialogOutlivesItsEditor)
{
    Load("abc abc");
    auto& f = Find("abc");
    delete editor;
    editor = nullptr;
    commands.activeEditor = [] { return static_cast<TCodeMemo*>(nullptr); };
    f.OKButton->click();
    f.CancelButton->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(SearchDialogsTest, GoToLineAsksAndMovesTheCaret)
{
    Load("a\rb\rc\rd");
    ui.enterText("3");
    goToLine->trigger();
    EXPECT_EQ((std::vector<int>{3}), rows);
    EXPECT_EQ("Enter Line Number (1 to 4)", ui.queries().at(0).prompt);
    ui.enterText("three");
    goToLine->trigger();
    EXPECT_EQ((std::vector<int>{3}), rows);
}

}  // namespace
}  // namespace quarry
