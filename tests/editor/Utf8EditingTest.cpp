// A UTF-8 document: the caret, deletion, typing, words and columns take whole characters; the
// same bytes as Windows-1252 take one byte each.
#include "MemoFixture.h"

#include "editor/TCodeMemoSearch.h"
#include "editorsettings/TEditorActions.h"

namespace quarry {
namespace {

constexpr auto kUtf8 = TextEncoding::Utf8;
constexpr auto kAnsi = TextEncoding::Windows1252;

// "aä€😀中" then two damaged bytes and "z": character starts at 0 1 3 6 10 13 14 15, end 16.
const std::string kMixed = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\xE4\xB8\xAD\xE2\x82z";

class Utf8Editing : public test::MemoFixture {
protected:
    void Load(const std::string& text, TextEncoding encoding) {
        memo.SetText(text);
        memo.SetEncoding(encoding);
    }
    std::vector<Offset> Walk(std::int32_t action, Offset from) {
        memo.SetSelStart(from);
        std::vector<Offset> seen;
        for (int i = 0; i < 20; ++i) {
            memo.ExecuteAction(action);
            if (!seen.empty() && seen.back() == memo.Caret()) break;
            seen.push_back(memo.Caret());
        }
        return seen;
    }
};

TEST_F(Utf8Editing, ArrowsStepWholeCharactersAndEveryDamagedByte)
{
    const struct {
        TextEncoding encoding;
        std::int32_t action;
        Offset from;
        std::vector<Offset> visited;
    } cases[] = {
        {kUtf8, caRIGHT, 0, {1, 3, 6, 10, 13, 14, 15, 16}},
        {kUtf8, caLEFT, 16, {15, 14, 13, 10, 6, 3, 1, 0}},
        {kAnsi, caRIGHT, 8, {9, 10, 11, 12, 13, 14, 15, 16}},
        {kAnsi, caLEFT, 4, {3, 2, 1, 0}},
    };
    for (const auto& c : cases) {
        Load(kMixed, c.encoding);
        EXPECT_EQ(c.visited, Walk(c.action, c.from)) << static_cast<int>(c.encoding) << " action " << c.action;
    }
}

TEST_F(Utf8Editing, DeleteAndBackspaceTakeWholeCharactersAndUndoRestoresTheBytes)
{
    const struct {
        TextEncoding encoding;
        Offset caret;
        std::int32_t action;
        std::string left;
    } cases[] = {
        {kUtf8, 3, caDELETE, "a\xC3\xA4\xF0\x9F\x98\x80\xE4\xB8\xAD\xE2\x82z"},   // the three bytes of "€"
        {kUtf8, 10, caBACKSPACE, "a\xC3\xA4\xE2\x82\xAC\xE4\xB8\xAD\xE2\x82z"},    // the four of the emoji
        {kUtf8, 6, caBACKSPACE, "a\xC3\xA4\xF0\x9F\x98\x80\xE4\xB8\xAD\xE2\x82z"},   // back over "€"
        {kUtf8, 13, caDELETE, "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\xE4\xB8\xAD\x82z"},  // one damaged byte
        {kAnsi, 3, caDELETE, "a\xC3\xA4\x82\xAC\xF0\x9F\x98\x80\xE4\xB8\xAD\xE2\x82z"},
    };
    for (const auto& c : cases) {
        Load(kMixed, c.encoding);
        memo.SetSelStart(c.caret);
        memo.ExecuteAction(c.action);
        EXPECT_EQ(c.left, memo.Text()) << "caret " << c.caret;
        memo.Undo();
        EXPECT_EQ(kMixed, memo.Text());
    }
}

TEST_F(Utf8Editing, TypedCharactersAreStoredInTheDocumentsEncoding)
{
    const struct {
        TextEncoding encoding;
        char32_t typed;
        std::string stored;
    } cases[] = {
        {kUtf8, U'\u00E4', "x\xC3\xA4y"},
        {kUtf8, U'\u20AC', "x\xE2\x82\xACy"},
        {kUtf8, U'\U0001F600', "x\xF0\x9F\x98\x80y"},
        {kAnsi, U'\u00E4', "x\xE4y"},
        {kAnsi, U'\u20AC', "x\x80y"},
        {kAnsi, U'\u4E2D', "xy"},  // the code page has no byte for it
    };
    for (const auto& c : cases) {
        Load("xy", c.encoding);
        memo.SetSelStart(1);
        memo.TypeCodePoint(c.typed);
        EXPECT_EQ(c.stored, memo.Text());
    }
    // Overwrite replaces one whole character.
    Load("a\xE4\xB8\xAD" "b", kUtf8);
    memo.SetOverwrite(true);
    memo.SetSelStart(1);
    memo.TypeCodePoint(U'\u00E4');
    EXPECT_EQ("a\xC3\xA4" "b", memo.Text());
}

TEST_F(Utf8Editing, ColumnsCountCellsAndCharacters)
{
    // "中" takes two cells; a damaged byte one.
    Load("\xE4\xB8\xAD" "a\xC3\xA4\x80" "b", kUtf8);
    const struct {
        Offset caret;
        std::int32_t column;
        std::int32_t characters;
    } cases[] = {{0, 0, 0}, {3, 2, 1}, {4, 3, 2}, {6, 4, 3}, {7, 5, 4}, {8, 6, 5}};
    for (const auto& c : cases) {
        memo.SetSelStart(c.caret);
        EXPECT_EQ(c.column, memo.CaretColumn()) << c.caret;
        EXPECT_EQ(c.characters, memo.CharCountBetween(0, c.caret)) << c.caret;
    }
    // A click in the right half of the wide character lands after it, in its left half before it.
    memo.MoveCaretTo(0, 1, false);
    EXPECT_EQ(0, memo.Caret());
    memo.MoveCaretTo(0, 2, false);
    EXPECT_EQ(3, memo.Caret());
}

TEST_F(Utf8Editing, WordsAndSelectionsKeepSequencesWhole)
{
    Load("x Gr\xC3\xBC\xC3\x9F" "e y", kUtf8);
    ASSERT_TRUE(memo.SelectWordAt(5));
    EXPECT_EQ("Gr\xC3\xBC\xC3\x9F" "e", memo.SelText());
    memo.SetSelStart(2);
    memo.ExecuteAction(caWORDRIGHT);
    EXPECT_EQ(10, memo.Caret());
    // A word test that knows only ASCII still never stops inside a sequence.
    memo.fn_CharIsInWord = [](unsigned char c) { return c >= 'a' && c <= 'z'; };
    ASSERT_TRUE(memo.SelectWordAt(3));
    EXPECT_EQ("r", memo.SelText());
    memo.SetSelStart(3);
    memo.ExecuteAction(caWORDRIGHT);
    EXPECT_EQ(0, (memo.Caret() - 4) % 2);
    // A selection started inside a sequence by another encoding snaps to its start.
    memo.SetEncoding(kAnsi);
    memo.SetSelection(5, 5);
    memo.SetEncoding(kUtf8);
    EXPECT_EQ(4, memo.Caret());
}

TEST_F(Utf8Editing, WrappedLinesBreakBetweenSequencesAtTheirCells)
{
    SetOption(smoWordWrap, true);
    memo.SetWrapAtColumn(4);
    Load("\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD\xE6\x96\x87", kUtf8);
    ASSERT_EQ(2, memo.Store().LineCount());
    EXPECT_EQ(6, memo.Store().Record(memo.Store().First()).length);
}

TEST_F(Utf8Editing, LongLinesAreCutBetweenSequences)
{
    std::string line;
    while (line.size() < 5000) line += "\xE2\x82\xAC";
    Load(line, kUtf8);
    for (RecordId r = memo.Store().First(); r != kNoRecord; r = memo.Store().Next(r))
        EXPECT_EQ(0, memo.Store().Record(r).length % 3);
    EXPECT_EQ(line, memo.Text());
}

TEST_F(Utf8Editing, SearchFindsCharactersIgnoringTheCaseOfLatin1Letters)
{
    // "x ärger ÄRGER Ŋ 中"
    const std::string text = "x \xC3\xA4rger \xC3\x84RGER \xC5\x8A \xE4\xB8\xAD";
    const struct {
        std::string pattern;
        std::uint16_t flags;
        Offset from;
        Offset found;
    } cases[] = {
        {"\xC3\x84rger", 0, 0, 2},
        {"\xC3\x84rger", TCodeMemoSearch::kMatchCase, 0, -1},
        {"\xC3\x84RGER", TCodeMemoSearch::kMatchCase, 0, 9},
        {"\xC3\xA4rger", TCodeMemoSearch::kWholeWords, 3, 9},
        {"\xC5\x9A", 0, 0, -1},  // "Ś" is not "Ŋ"
        {"\xE4\xB8\xAD", 0, 0, 19},
        {"[\xC3\xA4\xC3\x84]R", TCodeMemoSearch::kRegExpr | TCodeMemoSearch::kMatchCase, 0, 9},
    };
    TCodeMemoSearch search(memo);
    for (const auto& c : cases) {
        Load(text, kUtf8);
        memo.SetSelStart(c.from);
        EXPECT_EQ(c.found, search.Search(static_cast<std::uint16_t>(c.flags | TCodeMemoSearch::kDirect), c.pattern))
            << testing::PrintToString(c.pattern);
    }
}

}  // namespace
}  // namespace quarry
