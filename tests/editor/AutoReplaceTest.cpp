// Auto-replace in the control: trigger keys after a listed word, the word-boundary rules, the
// caret marker and auto-indent, OnAutoReplace, one undo step, and the built-in plain-text list.
#include "highlight/HighlightTestUtil.h"
#include "editor/ScriptedMemoFixture.h"
#include "text/TEdStream.h"
#include "editorsettings/VirtualKeys.h"
#include "highlight/BuiltinParserImages.h"
#include "editor/ExpansionHooks.h"
#include "editor/TAutoReplace.h"
#include "highlight/TParserRepository.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

const char* const kScript = "%%language name = 'Demo'\r"
                            "%%autoreplace\r"
                            "actionkeys = ';,:.=()[]\\\\{Return}\\\\{Tab}\\\\{Space}'\r"
                            "'teh' = 'the'\r"
                            "'begin' = 'BEGIN'\r"
                            "'(c)' = '(C)'\r"
                            "'c)' = 'cee'\r"
                            "'cpy' = '\\251'\r"  // the copyright sign, a word character
                            "'sq' = '[|]'\r"
                            "'blk' = 'begin\\nend'\r"
                            "'ab' = 'ONE' 'xab' = 'TWO'\r";

class AutoReplace : public test::ScriptedMemoFixture {
protected:
    AutoReplace() : ScriptedMemoFixture(kScript) {}
    TAutoReplace& List() { return *autoReplaceOf(parser->Settings()); }
};

struct KeyPress {
    std::uint16_t key;
    TShiftState shift;
    char ch;
};
const KeyPress kSpace{VK_SPACE, 0, ' '};
const KeyPress kSemicolon{0xBA, 0, ';'};
const KeyPress kColon{0xBA, ssShift, ':'};
const KeyPress kOpenParen{'9', ssShift, '('};
const KeyPress kNine{'9', 0, '9'};
const KeyPress kLetterA{'A', 0, 'a'};
const KeyPress kReturn{VK_RETURN, 0, '\r'};

TEST_F(AutoReplace, TriggerKeysReplaceTheWordBeforeTheCaret)
{
    struct Case {
        const char* before;
        KeyPress key;
        const char* after;
    } cases[] = {
        {"teh^", kSpace, "the ^"},
        {"teh^", kSemicolon, "the;^"},
        {"teh^", kColon, "the:^"},
        {"teh^", kOpenParen, "the(^"},
        {"teh^", kReturn, "the|^"},
        {"teh^", kNine, "teh9^"},        // not a trigger key
        {"teh^", kLetterA, "teha^"},
        {"x teh^ y", kSpace, "x the ^ y"},
        {"x.teh^", kSpace, "x.the ^"},   // a full stop is no word character
        {"xteh^", kSpace, "xteh ^"},     // the word is part of a longer one
        {"Teh^", kSpace, "Teh ^"},       // words match exactly
        {"xbegin^", kSemicolon, "xbegin;^"},
        {"begin^", kSemicolon, "BEGIN;^"},
        {"a(c)^", kSpace, "a(C) ^"},     // ends in no word character: no boundary needed before it
        {"a c)^", kSpace, "a cee ^"},
        {"xc)^", kSpace, "xc) ^"},       // the replacement would join the word before it
        {"acpy^", kSpace, "acpy ^"},
        {"a cpy^", kSpace, "a \xA9 ^"},
        {"xab^", kSpace, "TWO ^"},       // the longest listed word wins
        {"y ab^", kSpace, "y ONE ^"},
        {"sq^", kSpace, "[ ^]"},         // the caret marker, then the key types at the caret
        {"  blk^", kSemicolon, "  begin|  end;^"},
        {"teh^\nteh", kSpace, "the ^|teh"},
    };
    for (const Case& c : cases) {
        LoadAt(c.before);
        Press(c.key.key, c.key.shift, c.key.ch);
        EXPECT_EQ(c.after, ShownAt()) << c.before << " + " << c.key.ch;
    }
}

TEST_F(AutoReplace, ADisabledListOrAnEmptyTriggerTextReplacesNothing)
{
    List().enabled = false;
    LoadAt("teh^");
    Press(kSpace.key, 0, ' ');
    EXPECT_EQ("teh ^", ShownAt());
    List().enabled = true;
    List().SetTriggerText("");
    LoadAt("teh^");
    Press(kSpace.key, 0, ' ');
    EXPECT_EQ("teh ^", ShownAt());
}

TEST_F(AutoReplace, ReadOnlyTextAndSelectionsAreLeftAlone)
{
    LoadAt("teh^");
    memo.readOnly = true;
    EXPECT_FALSE(List().ReplaceAtCaret(memo));
    EXPECT_EQ("teh^", ShownAt());
    memo.readOnly = false;
    memo.SetSelection(0, 3);
    EXPECT_FALSE(List().ReplaceAtCaret(memo));
    EXPECT_EQ("teh", Shown());
}

TEST_F(AutoReplace, TheReplacementIsOneUndoStepBeforeTheTypedKey)
{
    LoadAt("x teh^");
    Press(kSpace.key, 0, ' ');
    EXPECT_EQ("x the ^", ShownAt());
    memo.Undo();
    EXPECT_EQ("x the^", ShownAt());
    memo.Undo();
    EXPECT_EQ("x teh^", ShownAt());
    EXPECT_FALSE(memo.CanUndo());
}

TEST_F(AutoReplace, TheEventSeesACursorAtTheWordAndMayRefuseOrChangeTheText)
{
    struct Seen {
        Offset position;
        char current;
        std::string text, word;
    };
    std::vector<Seen> seen;
    bool refuse = false;
    List().OnAutoReplace = [&](TCustomCodeMemo& sender, TEdStream& cursor, bool& allow, std::string& text,
                               const std::string& word) {
        EXPECT_EQ(&memo, &sender);
        seen.push_back({cursor.Position(), cursor.Current(), text, word});
        if (refuse)
            allow = false;
        else
            text = "THE";
    };
    LoadAt("a teh^");
    Press(kSpace.key, 0, ' ');
    EXPECT_EQ("a THE ^", ShownAt());
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(2, seen[0].position);
    EXPECT_EQ('t', seen[0].current);
    EXPECT_EQ("the", seen[0].text);
    EXPECT_EQ("teh", seen[0].word);

    refuse = true;
    LoadAt("a teh^");
    Press(kSpace.key, 0, ' ');
    EXPECT_EQ("a teh ^", ShownAt());
    EXPECT_EQ(2u, seen.size());
    // A word refused by the boundary rules never reaches the event.
    LoadAt("xteh^");
    Press(kSpace.key, 0, ' ');
    EXPECT_EQ(2u, seen.size());
}

TEST_F(AutoReplace, TheListFollowsTheLanguageAndKeepsItsFlagsAndEvent)
{
    TAutoReplace& list = List();
    EXPECT_EQ(9u, list.Count());
    list.caretMarker = false;
    bool called = false;
    list.OnAutoReplace = [&](TCustomCodeMemo&, TEdStream&, bool&, std::string&, const std::string&) { called = true; };
    parser->compile("%%language name = 'Demo'\r%%autoreplace actionkeys = '!' 'sq' = '[|]'\r");
    EXPECT_EQ(&list, &List());
    EXPECT_EQ(1u, list.Count());
    EXPECT_EQ("!", list.TriggerText());
    LoadAt("sq^");
    Press('1', ssShift, '!');
    EXPECT_TRUE(called);
    EXPECT_EQ("[|]!^", ShownAt()) << "the caret marker was turned off";
}

TEST(AutoReplaceBuiltIn, ThePlainTextParserCorrectsCommonMisspellings)
{
    TParserRepository repository(builtinParserImages());
    test::FixedPitchHost host;
    TCustomCodeMemo memo(host);
    memo.SetParser(1, repository.Find("Plain text"));
    memo.SetActiveParser(1);
    const std::string typed = "teh cat recieved adn kept it.";
    for (char c : typed) {
        const int scan = c == ' ' ? VK_SPACE : c == '.' ? 0xBE : c - 'a' + 'A';
        if (!memo.KeyDown(std::uint16_t(scan), 0))
            memo.KeyPress(c);
    }
    EXPECT_EQ("the cat received and kept it.", memo.Text());
    memo.SetParser(1, nullptr);
}

}  // namespace
}  // namespace quarry
