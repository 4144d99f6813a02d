// Code templates in the control: expansion by the hot key with the caret marker and auto-indent,
// the choice list for names that share the typed prefix, one undo step, the template event, and
// the templates' place in the key path ahead of auto-replace and the key controller.
#include "highlight/HighlightTestUtil.h"
#include "editor/ScriptedMemoFixture.h"
#include "editorsettings/VirtualKeys.h"
#include "highlight/BuiltinParserImages.h"
#include "editor/ExpansionHooks.h"
#include "highlight/TParserRepository.h"
#include "editor/TAutoReplace.h"
#include "editor/TCodeTemplates.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

// Script strings: "\n" is a carriage return and "\r" a line feed.
const char* const kScript = "%%language name = 'Demo' case = __insensitive\r"
                            "%%templates\r"
                            "hotkey = ([ctrl] 'J')\r"
                            "'if' ('if statement') = 'if (|) then'\r"
                            "'for' ('for loop') = 'for (|; ; ) {\\n}'\r"
                            "'foreach' ('for each') = 'for (auto& x : |) {\\n}'\r"
                            "'while' ('while loop') = 'while (|)\\n\\r{\\n\\r}'\r"
                            "'begin' = 'begin\\n  |\\nend;'\r"
                            "'sig' ('signed') = 'signed'\r"
                            "'pipes' = 'a|b|c'\r"
                            "%%keys caLINEEND ([ctrl] 'E') 'Line end'\r"
                            "%%autoreplace 'teh' = 'the' 'if' = 'IF'\r";

class CodeTemplates : public test::ScriptedMemoFixture {
protected:
    CodeTemplates() : ScriptedMemoFixture(kScript) { memo.userInterface = &ui; }
    bool CtrlJ() { return memo.KeyDown('J', ssCtrl); }

    test::ScriptedUserInterface ui;
};

TEST_F(CodeTemplates, HotKeyExpandsTheWordBeforeTheCaretWithoutAList)
{
    struct Case {
        const char* before;
        const char* after;
    } cases[] = {
        {"if^", "if (^) then"},
        {"x = 1; if^ y", "x = 1; if (^) then y"},
        {"IF^", "if (^) then"},                        // names match without regard to case
        {"    for^", "    for (^; ; ) {|    }"},       // continuation lines take the line's indentation
        {"  x; for^", "  x; for (^; ; ) {|  }"},
        {"\tfor^", "\tfor (^; ; ) {|    }"},           // a TAB counts to its stop, inserted as blanks
        {"while^", "while (^)|{|}"},                   // CR LF is one line break
        {"  begin^", "  begin|    ^|  end;"},
        {"sig^", "signed^"},                           // no marker: the caret ends after the text
        {"pipes^", "a^b|c"},                           // only the first bar is the marker
        {"first line\n  if^", "first line|  if (^) then"},
        {"for^", "for (^; ; ) {|}"},  // "foreach" shares the prefix, but "for" is a name of its own
        {"whi^", "while (^)|{|}"},    // the only name with the prefix
    };
    for (const Case& c : cases) {
        LoadAt(c.before);
        EXPECT_TRUE(CtrlJ()) << c.before;
        EXPECT_EQ(c.after, ShownAt()) << c.before;
    }
    EXPECT_TRUE(ui.picks().empty());
}

TEST_F(CodeTemplates, SeveralNamesWithThePrefixAreOfferedInAList)
{
    LoadAt("x fo^");
    ui.pick(1);
    EXPECT_TRUE(CtrlJ());
    ASSERT_EQ(1u, ui.picks().size());
    EXPECT_EQ((std::vector<std::string>{"for\tfor loop", "foreach\tfor each"}), ui.picks()[0].items);
    EXPECT_EQ("Code templates", ui.picks()[0].title);
    EXPECT_EQ("x for (auto& x : ^) {|}", ShownAt());
}

TEST_F(CodeTemplates, NoTypedWordOffersEveryTemplate)
{
    LoadAt("x = ^");
    ui.pick(0);
    EXPECT_TRUE(CtrlJ());
    ASSERT_EQ(1u, ui.picks().size());
    EXPECT_EQ((std::vector<std::string>{"begin\t", "for\tfor loop", "foreach\tfor each", "if\tif statement",
                                        "pipes\t", "sig\tsigned", "while\twhile loop"}),
              ui.picks()[0].items);
    EXPECT_EQ("x = begin|  ^|end;", ShownAt());
}

TEST_F(CodeTemplates, ClosingTheListChangesNothingButUsesTheKey)
{
    LoadAt("fo^");
    ui.cancelPick();
    std::int32_t recognised = -1;
    memo.OnCommandRecognised = [&](std::int32_t& code) { recognised = code; };
    EXPECT_TRUE(CtrlJ());
    EXPECT_EQ("fo^", ShownAt());
    EXPECT_EQ(-1, recognised);
    EXPECT_FALSE(memo.CanUndo());
}

TEST_F(CodeTemplates, WithoutAUserInterfaceSeveralNamesExpandNothing)
{
    memo.userInterface = nullptr;
    LoadAt("fo^");
    EXPECT_FALSE(CtrlJ());
    EXPECT_EQ("fo^", ShownAt());
}

TEST_F(CodeTemplates, AnExpansionIsOneUndoStep)
{
    LoadAt("  x\n  for^ y");
    ASSERT_TRUE(CtrlJ());
    EXPECT_EQ("  x|  for (^; ; ) {|  } y", ShownAt());
    memo.Undo();
    EXPECT_EQ("  x|  for^ y", ShownAt());
    EXPECT_FALSE(memo.CanUndo());
    memo.Redo();
    EXPECT_EQ("  x|  for (; ; ) {|  } y", Shown());
}

TEST_F(CodeTemplates, TheTemplateEventSeesTheWordAndMayChangeTheText)
{
    std::vector<std::string> seen;
    memo.OnCodeTemplate = [&](TCustomCodeMemo& sender, const std::string& word, std::string& text) {
        EXPECT_EQ(&memo, &sender);
        seen.push_back(word + "=" + text);
        text = "if (|) /* checked */";
    };
    LoadAt("If^");
    ASSERT_TRUE(CtrlJ());
    EXPECT_EQ((std::vector<std::string>{"If=if (|) then"}), seen);
    EXPECT_EQ("if (^) /* checked */", ShownAt());
}

TEST_F(CodeTemplates, NothingExpandsReadOnlyOrOverASelection)
{
    LoadAt("if^");
    memo.readOnly = true;
    EXPECT_FALSE(CtrlJ());
    EXPECT_EQ("if^", ShownAt());
    memo.readOnly = false;
    memo.SetSelection(0, 2);
    EXPECT_FALSE(CtrlJ());
    EXPECT_EQ("if", Shown());
}

TEST_F(CodeTemplates, TheKeyPathTriesTemplatesThenAutoReplaceThenTheKeyController)
{
    std::vector<std::int32_t> recognised;
    memo.OnCommandRecognised = [&](std::int32_t& code) { recognised.push_back(code); };
    // The hot key is also a trigger key: the templates see it first and take it.
    codeTemplatesOf(parser->Settings())->hotKey = TShortCut(scCtrl | 'E');
    TAutoReplace& replace = *autoReplaceOf(parser->Settings());
    replace.SetTriggerText(std::string(1, '\x05'));  // Ctrl+E types character 5

    LoadAt("if^ x");
    EXPECT_TRUE(memo.KeyDown('E', ssCtrl));
    EXPECT_EQ("if (^) then x", ShownAt()) << "a template, not the replacement IF";
    EXPECT_TRUE(recognised.empty());

    LoadAt("teh^ x");
    memo.KeyDown('E', ssCtrl);
    EXPECT_EQ("the x^", ShownAt()) << "replaced, then the key controller's line end";
    EXPECT_EQ((std::vector<std::int32_t>{3}), recognised);
}

TEST_F(CodeTemplates, TemplatesComeFromTheLanguageAndFollowARecompile)
{
    TCodeTemplates* templates = codeTemplatesOf(parser->Settings());
    ASSERT_NE(nullptr, templates);
    EXPECT_EQ(TShortCut(scCtrl | 'J'), templates->hotKey);
    EXPECT_EQ(7u, templates->Count());
    templates->autoIndent = false;
    parser->compile("%%language name = 'Demo'\r%%templates hotkey = ([alt] 'T') 'Sw' = 'switch (|) {\\n}'\r");
    EXPECT_EQ(templates, codeTemplatesOf(parser->Settings())) << "the same object keeps serving";
    EXPECT_FALSE(templates->autoIndent);
    EXPECT_EQ(TShortCut(scAlt | 'T'), templates->hotKey);
    EXPECT_EQ(1u, templates->Count());
    EXPECT_NE(nullptr, templates->Find("sw"));
    LoadAt("  sw^");
    EXPECT_TRUE(memo.KeyDown('T', ssAlt));
    EXPECT_EQ("  switch (^) {|}", ShownAt()) << "auto-indent was turned off";
}

TEST(CodeTemplatesBuiltIn, TheShippedLanguagesExpandTheirTemplatesOnCtrlJ)
{
    TParserRepository repository(builtinParserImages());
    struct Case {
        const char* language;
        const char* typed;
        const char* expected;  // "^" marks the caret
    } cases[] = {
        {"ANSI C", "  if", "  if (^) {\r  }"},
        {"Java", "main", "public static void main(String[] args) {\r    ^\r}"},
        {"Object Pascal", "beginend", "begin\r  ^\rend;"},
    };
    for (const Case& c : cases) {
        test::FixedPitchHost host;
        TCustomCodeMemo memo(host);
        memo.SetParser(1, repository.Find(c.language));
        memo.SetActiveParser(1);
        memo.SetText(c.typed);
        memo.SetSelStart(memo.Store().CharCount());
        EXPECT_TRUE(memo.KeyDown('J', ssCtrl)) << c.language;
        std::string shown = memo.Text();
        shown.insert(size_t(memo.Caret()), "^");
        EXPECT_EQ(c.expected, shown) << c.language;
    }
}

TEST(TMacroKeywords, NamesAreFoldedByTheCaseRuleAndReplacedByName)
{
    TMacroKeywords insensitive;
    insensitive.Add("Begin", "b", "1");
    insensitive.Add("BEGIN", "B", "2");
    insensitive.Add("beg", "", "3");
    ASSERT_EQ(2u, insensitive.Count());
    EXPECT_EQ("begin", insensitive.Entries()[1].name);
    EXPECT_EQ("2", insensitive.Find("bEgIn")->text);
    EXPECT_EQ(2u, insensitive.WithPrefix("BE").size());
    EXPECT_EQ(0u, insensitive.WithPrefix("begins").size());

    TMacroKeywords sensitive(true);
    sensitive.Add("Begin", "", "1");
    sensitive.Add("begin", "", "2");
    EXPECT_EQ(2u, sensitive.Count());
    EXPECT_EQ(nullptr, sensitive.Find("BEGIN"));
    sensitive.SetCaseSensitive(false);
    EXPECT_EQ(1u, sensitive.Count());
    EXPECT_EQ("1", sensitive.Find("BEGIN")->text) << "the first of the names that fold together stays";
}

}  // namespace
}  // namespace quarry
