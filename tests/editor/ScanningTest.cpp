#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/ThrownMessage.h"
#include "editor/MemoFixture.h"
#include "editor/WordParser.h"
#include "text/ECodeMemo.h"

namespace quarry {
namespace {

class Scanning : public test::MemoFixture {
protected:
    Scanning() {
        memo.SetScanAhead(-1);
        memo.SetParser(1, &parser);
    }
    // Token values of every character, one digit each (the CR's too); "|" after each line end.
    std::string Values() {
        std::string out;
        TTextStore& store = memo.Store();
        for (RecordId r = store.First(); r != kNoRecord; r = store.Next(r)) {
            const TLineRecord& rec = store.Record(r);
            const std::uint8_t* values = store.StylesOf(rec);
            for (int i = 0; i < rec.length; ++i) out += values ? static_cast<char>('0' + values[i]) : '-';
            if (rec.EndsWithCR()) out += '|';
        }
        return out;
    }
    test::WordParser parser;
};

TEST_F(Scanning, ActivatingAParserScansTheText) {
    Load("ab 12\r+x");
    memo.SetActiveParser(1);
    EXPECT_EQ("114224|01", Values());
}

TEST_F(Scanning, CommentsCarryAcrossLinesAndARestartInsideOneKeepsTheState) {
    memo.SetActiveParser(1);
    Load("a /* x\ry z\rw */ b\rc");
    EXPECT_EQ("1433335|3335|3333414|1", Values());
    // Editing inside the comment restarts at the line before, in the comment state saved there.
    At(2, 1);
    parser.restored.clear();
    Type("q");
    EXPECT_EQ("c", parser.restored);
    EXPECT_EQ("1433335|3335|33333414|1", Values());
}

TEST_F(Scanning, OpeningACommentRescansTheLinesItReaches) {
    memo.SetActiveParser(1);
    Load("a\rb\rc\rd");
    At(1, 0);
    Type("/*");
    EXPECT_EQ("14|3335|35|3", Values());
    memo.Undo();
    EXPECT_EQ("14|014|14|1", Values());
    memo.Undo();
    EXPECT_EQ("14|14|14|1", Values());
}

TEST_F(Scanning, ScanningStopsOnceLinesComeOutUnchanged) {
    memo.SetActiveParser(1);
    std::string text;
    for (int i = 0; i < 200; ++i) text += "word " + std::to_string(i) + "\r";
    Load(text);
    At(100, 0);
    parser.calls = 0;
    Type("x");
    EXPECT_GT(parser.calls, 0);
    EXPECT_LT(parser.calls, 20) << "a keystroke re-scans a bounded number of tokens";
}

TEST_F(Scanning, TokenSeenFiresFirstWithMinusOneThenPerToken) {
    memo.SetActiveParser(1);
    Load("");
    Type("a");
    std::vector<std::tuple<int, Offset, Offset>> seen;
    memo.OnTokenSeen = [&](std::uint8_t& value, Offset start, Offset end) {
        seen.emplace_back(value, start, end);
        if (value == 2) value = 7;  // the handler may change the value
    };
    memo.ReplaceSelection(" 9");
    ASSERT_EQ(4u, seen.size());
    EXPECT_EQ(std::make_tuple(0, Offset{-1}, Offset{-1}), seen[0]);
    EXPECT_EQ(std::make_tuple(1, Offset{0}, Offset{1}), seen[1]);
    EXPECT_EQ(std::make_tuple(4, Offset{1}, Offset{2}), seen[2]);
    EXPECT_EQ(std::make_tuple(2, Offset{2}, Offset{3}), seen[3]);
    EXPECT_EQ("147", Values());
}

TEST_F(Scanning, EmptySlotAndNoParserScanNothing) {
    Load("abc");
    memo.SetActiveParser(2);  // empty slot: own settings
    EXPECT_EQ(nullptr, memo.ActiveParserObject());
    EXPECT_EQ("---", Values());
    memo.SetActiveParser(1);
    EXPECT_EQ("111", Values());
    memo.SetActiveParser(0);
    EXPECT_EQ("---", Values());
}

TEST_F(Scanning, SlotOutsideOneToSixIsRefused) {
    for (int slot : {-1, 7}) {
        EXPECT_EQ("Parser index out of range", test::thrownMessage<ECodeMemo>([&] { memo.SetActiveParser(slot); }));
    }
}

TEST_F(Scanning, DestroyingTheActiveParserFallsBackToTheOwnSettings) {
    auto other = std::make_unique<test::WordParser>();
    other->settings.options = smoSyntaxHighlight;
    memo.SetParser(3, other.get());
    memo.SetActiveParser(3);
    EXPECT_EQ(static_cast<TCodeMemoOptions>(smoSyntaxHighlight), memo.Options());
    other.reset();
    EXPECT_EQ(nullptr, memo.Parser(3));
    EXPECT_EQ(&memo.OwnSettings(), &memo.Settings());
    EXPECT_EQ(memo.OwnSettings().options, memo.Options());
}

TEST_F(Scanning, SwitchingParsersTakesTheirOptionsFontAndWrap) {
    test::WordParser wrapped;
    wrapped.settings.options = kDefaultOptions | smoWordWrap;
    wrapped.settings.wrapAtColumn = 3;
    wrapped.settings.font.name = "Fixedsys";
    memo.SetParser(2, &wrapped);
    Load("abcdef");
    memo.SetActiveParser(2);
    EXPECT_EQ(2, memo.Store().LineCount());
    EXPECT_EQ("Fixedsys", host.font.name);
    memo.SetActiveParser(1);
    EXPECT_EQ(1, memo.Store().LineCount());
    EXPECT_EQ("Courier New", host.font.name);
}

TEST_F(Scanning, StoredTokenValuesThroughTheMessage) {
    Load("ab\rcd");
    const std::uint8_t values[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(1, memo.Perform(cm::CM_SETTOKENS, 0, reinterpret_cast<std::intptr_t>(values)));
    EXPECT_EQ("123|45", Values());
    const std::int32_t range[2] = {1, 1};
    const std::uint8_t second[] = {9, 8};
    memo.Perform(cm::CM_SETTOKENS, reinterpret_cast<std::uintptr_t>(range), reinterpret_cast<std::intptr_t>(second));
    EXPECT_EQ("123|98", Values());
}

TEST_F(Scanning, LinesBeyondTheHorizonWaitUntilTheyAreShown) {
    memo.SetScanAhead(5);
    memo.SetActiveParser(1);
    std::string text;
    for (int i = 0; i < 100; ++i) text += "w\r";
    Load(text);
    TTextStore& store = memo.Store();
    EXPECT_TRUE(store.Record(store.LineByIndex(10).record).Scanned());
    EXPECT_FALSE(store.Record(store.LineByIndex(90).record).Scanned());
    memo.EnsureScanned(85, 95);
    for (LineIndex line = 85; line <= 95; ++line)
        EXPECT_TRUE(store.Record(store.LineByIndex(line).record).Scanned()) << line;
}

}  // namespace
}  // namespace quarry
