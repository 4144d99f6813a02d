#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ThrownMessage.h"
#include "editor/MemoFixture.h"
#include "text/ECodeMemo.h"
#include "text/EStackError.h"
#include "text/TUndoStack.h"

namespace quarry {
namespace {

// The log as a list of entries: "M1/0" marker kind 1 phase 0, "S2,3" selection, "T'ab'" text.
std::string Dump(TUndoStack& undo) {
    std::vector<std::string> entries;
    const std::int32_t count = undo.Count();
    while (undo.Top()) {
        const TUndoRecord& r = undo.StepDown();
        if (r.type == urMarker)
            entries.push_back("M" + std::to_string(r.a) + "/" + std::to_string(r.value));
        else if (r.type == urSelection)
            entries.push_back("S" + std::to_string(r.a) + "," + std::to_string(r.b));
        else
            entries.push_back((r.type == urStream ? "B'" : "T'") + r.text + "'");
    }
    for (std::int32_t i = 0; i < count; ++i) undo.StepUp();
    std::string out;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) out += *it + " ";
    return out;
}

TEST(UndoLog, TransactionIsWrittenInSixEntries) {
    TUndoStack undo;
    undo.BeginTransaction(ukReplace, {1, 3}, "bc", "X");
    undo.EndTransaction(ukReplace, {2, 2});
    EXPECT_EQ("M1/0 S1,3 T'bc' T'X' S2,2 M1/0 ", Dump(undo));
    EXPECT_EQ(6, undo.Count());
}

TEST(UndoLog, BlankRemovalAndBufferInsertionHaveTheirShapes) {
    TUndoStack undo;
    undo.RecordBlankRemoval(4, 3);
    undo.RecordBufferInsertion(7, "\t ");
    EXPECT_EQ("M9/0 S4,7 T'   ' T'' S4,4 M9/0 M10/0 S7,7 T'' T'\t ' S9,9 M10/0 ", Dump(undo));
}

TEST(UndoLog, GroupsBracketTheirTransactionsAndEmptyGroupsVanish) {
    TUndoStack undo;
    EXPECT_TRUE(undo.BeginGroup(ugTyping, {0, 0}));
    EXPECT_FALSE(undo.BeginGroup(ugDelete, {0, 0}));  // no nesting
    undo.RecordBufferInsertion(0, "a");
    undo.EndGroup(ugDelete, {5, 5});                    // another id: ignored
    EXPECT_TRUE(undo.GroupOpen());
    undo.EndGroup(ugTyping, {1, 1});
    EXPECT_EQ("M14/2 S0,0 M14/2 M10/0 S0,0 T'' T'a' S1,1 M10/0 M14/3 S1,1 M14/3 ", Dump(undo));
    const std::int32_t count = undo.Count();
    undo.BeginGroup(ugPaste, {1, 1});
    undo.EndGroup(ugPaste, {1, 1});
    EXPECT_EQ(count, undo.Count());
}

TEST(UndoLog, MismatchedPhasesClearTheLogAndRaise) {
    struct Case {
        const char* name;
        void (*run)(TUndoStack&);
    };
    const std::vector<Case> cases = {
        {"phase 2 without phase 1", [](TUndoStack& u) { u.EndTransaction(ukReplace, {}); }},
        {"second phase 1", [](TUndoStack& u) {
             u.BeginTransaction(ukReplace, {}, "", "a");
             u.BeginTransaction(ukReplace, {}, "", "b");
         }},
        {"phase 2 of another kind", [](TUndoStack& u) {
             u.BeginTransaction(ukReplace, {}, "", "a");
             u.EndTransaction(ukStream, {});
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TUndoStack undo;
        undo.RecordBufferInsertion(0, "x");
        EXPECT_EQ("Bad transaction log entry", test::thrownMessage<ECodeMemo>([&] { c.run(undo); }));
        EXPECT_EQ(0, undo.TotalCount());
        EXPECT_FALSE(undo.TransactionPending());
    }
}

TEST(UndoLog, ARecordOfTheWrongTypeIsABadState) {
    test::FixedPitchHost host;
    TCustomCodeMemo memo(host);
    memo.SetText("abc");
    TUndoStack& undo = *memo.UndoStack();
    undo.Push(TUndoRecord::Marker(ukReplace, upTransaction));
    undo.Push(TUndoRecord::Text("not a selection"));
    undo.Push(TUndoRecord::Marker(ukReplace, upTransaction));
    EXPECT_EQ("Bad do/undo stack state", test::thrownMessage<ECodeMemo>([&] { memo.Undo(); }));
    EXPECT_EQ("abc", memo.Text());
}

TEST(UndoLog, PoppingAnEmptyStackUnderflows) {
    TUndoStack undo;
    EXPECT_EQ("Stack underflow", test::thrownMessage<EStackError>([&] { undo.StepDown(); }));
}

TEST(UndoLog, SizeLimitDropsWholeOldestTransactions) {
    TUndoStack undo;
    for (int i = 0; i < 5; ++i) undo.RecordBufferInsertion(i, "x");
    const std::int64_t oneTransaction = undo.TotalSize() / 5;
    undo.SetSizeLimit(oneTransaction * 2);
    EXPECT_EQ(12, undo.TotalCount());
    EXPECT_EQ("M10/0 S3,3 T'' T'x' S4,4 M10/0 M10/0 S4,4 T'' T'x' S5,5 M10/0 ", Dump(undo));
}

TEST(UndoLog, SizeCountsSixteenBytesAnEntryPlusItsText) {
    TUndoStack undo;
    undo.RecordBufferInsertion(0, "abcd");
    EXPECT_EQ(6 * 16 + 4, undo.TotalSize());
}

using UndoInTheControl = test::MemoFixture;

TEST_F(UndoInTheControl, DetachedLogRecordsNothingAndComesBackWithItsHistory) {
    Type("ab");
    auto* undo = reinterpret_cast<TUndoStack*>(memo.Perform(cm::CM_UNDOSTACK));
    ASSERT_EQ(memo.UndoStack(), undo);
    memo.Perform(cm::CM_UNDOSTACK, 1, 0);
    EXPECT_EQ(nullptr, memo.UndoStack());
    Type("c");
    EXPECT_EQ("abc", Shown());
    memo.Undo();  // nothing to undo while detached
    EXPECT_EQ("abc", Shown());
    memo.Perform(cm::CM_UNDOSTACK, 1, reinterpret_cast<std::intptr_t>(undo));
    memo.Perform(cm::CM_UNDOSTACK, 1, reinterpret_cast<std::intptr_t>(undo));
    EXPECT_EQ(undo, memo.UndoStack());
    memo.SetSelection(2, 3);
    memo.ReplaceSelection({});
    memo.Undo();
    EXPECT_EQ("abc", Shown());
    memo.Undo();  // the typed "b" goes; the "c" typed while detached stays
    EXPECT_EQ("ac", Shown());
}

TEST_F(UndoInTheControl, AGroupOfManyTransactionsUndoesInOneStep) {
    Load(std::string(2000, 'a'));
    memo.BeginUndoGroup(ugReplaceAll);
    for (Offset at = 0; at < 2000; at += 2) {
        memo.SetSelection(at, at + 1);
        memo.ReplaceSelection("b");
    }
    memo.EndUndoGroup(ugReplaceAll);
    std::string expected;
    for (int i = 0; i < 1000; ++i) expected += "ba";
    EXPECT_EQ(expected, Shown());
    memo.Undo();
    EXPECT_EQ(std::string(2000, 'a'), Shown());
    EXPECT_FALSE(memo.CanUndo());
    memo.Redo();
    EXPECT_EQ(expected, Shown());
    EXPECT_FALSE(memo.CanRedo());
}


}  // namespace
}  // namespace quarry
