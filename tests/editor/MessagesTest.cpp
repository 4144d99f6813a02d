#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "editor/MemoFixture.h"
#include "text/TMemoryStream.h"

namespace quarry {
namespace {

using Messages = test::MemoFixture;

std::intptr_t Ptr(const void* p) { return reinterpret_cast<std::intptr_t>(p); }

TEST_F(Messages, StandardQueriesAnswerFromTheText) {
    Load("ab\rcde\r\rf");
    struct Case {
        const char* name;
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        std::intptr_t result;
    };
    memo.SetSelection(4, 6);
    const std::vector<Case> cases = {
        {"line count", cm::EM_GETLINECOUNT, 0, 0, 4},
        {"index of line 1", cm::EM_LINEINDEX, 1, 0, 3},
        {"index of line 3", cm::EM_LINEINDEX, 3, 0, 8},
        {"index past the end", cm::EM_LINEINDEX, 4, 0, -1},
        {"index of the caret line", cm::EM_LINEINDEX, static_cast<std::uintptr_t>(-1), 0, 3},
        {"length of the line holding 4", cm::EM_LINELENGTH, 4, 0, 3},
        {"length of an empty line", cm::EM_LINELENGTH, 7, 0, 0},
        {"line from char", cm::EM_LINEFROMCHAR, 8, 0, 3},
        {"line of the selection", cm::EM_LINEFROMCHAR, static_cast<std::uintptr_t>(-1), 0, 1},
        {"text length in CR LF", cm::WM_GETTEXTLENGTH, 0, 0, 12},
        {"selection packed", cm::EM_GETSEL, 0, 0, 4 | (6 << 16)},
        {"first visible", cm::EM_GETFIRSTVISIBLELINE, 0, 0, 0},
        {"cannot undo", cm::EM_CANUNDO, 0, 0, 0},
        {"cannot paste", cm::EM_CANPASTE, 0, 0, 0},
        {"unknown message", 0x0C03, 0, 0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.result, memo.Perform(c.message, c.wParam, c.lParam)) << c.name;
}

TEST_F(Messages, GetTextAndGetLineRespectTheBufferSize) {
    Load("ab\rcd");
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(4, memo.Perform(cm::WM_GETTEXT, 5, Ptr(buffer)));
    EXPECT_EQ(std::string("ab\r\n"), std::string(buffer));
    EXPECT_EQ(6, memo.Perform(cm::WM_GETTEXT, sizeof buffer, Ptr(buffer)));
    EXPECT_EQ(std::string("ab\r\ncd"), std::string(buffer));
    char line[8] = {};
    const std::uint16_t capacity = 1;
    std::memcpy(line, &capacity, sizeof capacity);
    EXPECT_EQ(1, memo.Perform(cm::EM_GETLINE, 1, Ptr(line)));
    EXPECT_EQ('c', line[0]);
}

TEST_F(Messages, SetTextAndReplaceSelection) {
    memo.Perform(cm::WM_SETTEXT, 0, Ptr("one\r\ntwo"));
    EXPECT_EQ("one|two", Shown());
    memo.Perform(cm::EM_SETSEL, 0, -1);
    EXPECT_EQ(7, memo.SelLength());
    memo.Perform(cm::EM_REPLACESEL, 1, Ptr("x"));
    EXPECT_EQ("x", Shown());
    EXPECT_EQ(1, memo.Perform(cm::EM_CANUNDO));
    memo.Perform(cm::WM_UNDO);
    EXPECT_EQ("one|two", Shown());
    memo.Perform(cm::EM_SETSEL, 1, 2);
    memo.Perform(cm::CM_REPLACESEL, 0, 0);  // null deletes the selection
    EXPECT_EQ("oe|two", Shown());
}

TEST_F(Messages, PrivateSelectionGetAndSet) {
    Load("abcdef");
    std::int32_t pair[2] = {5, 2};
    memo.Perform(cm::CM_SELECTION, 1, Ptr(pair));
    EXPECT_EQ(5, memo.Anchor());
    EXPECT_EQ(2, memo.Caret());
    pair[0] = pair[1] = 0;
    memo.Perform(cm::CM_SELECTION, 0, Ptr(pair));
    EXPECT_EQ(5, pair[0]);
    EXPECT_EQ(2, pair[1]);
    std::int32_t toEnd[2] = {1, -1};
    memo.Perform(cm::CM_SELECTION, 3, Ptr(toEnd));
    EXPECT_EQ("bcdef", memo.SelText());
}

TEST_F(Messages, OptionsModifiedAndViewPosition) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "l\r";
    Load(text);
    EXPECT_EQ(static_cast<std::intptr_t>(smoLineNumbers), memo.Perform(cm::CM_SETOPTIONS, 1, smoLineNumbers));
    EXPECT_EQ(static_cast<TCodeMemoOptions>(smoLineNumbers), memo.Options());
    EXPECT_EQ(0, memo.Perform(cm::CM_MODIFIED));
    Type("x");
    EXPECT_EQ(1, memo.Perform(cm::CM_MODIFIED));
    memo.Perform(cm::CM_MODIFIED, 1, 0);
    EXPECT_EQ(0, memo.Perform(cm::CM_MODIFIED));
    EXPECT_FALSE(memo.CanUndo());
    EXPECT_EQ(12, memo.Perform(cm::CM_FIRSTLINE, 1, 12));
    EXPECT_EQ(12, memo.FirstVisibleLine());
    EXPECT_EQ(3, memo.Perform(cm::CM_FIRSTCOLUMN, 1, 3));
    memo.Perform(cm::EM_LINESCROLL, 1, -2);
    EXPECT_EQ(10, memo.FirstVisibleLine());
    EXPECT_EQ(4, memo.LeftColumn());
}

TEST_F(Messages, PaintLockCountsAndUnlockRepaints) {
    EXPECT_EQ(0, memo.Perform(cm::CM_PAINTLOCK));
    memo.Perform(cm::CM_PAINTLOCK, 1, 1);
    memo.Perform(cm::CM_PAINTLOCK, 1, 1);
    memo.Perform(cm::CM_PAINTLOCK, 1, 0);
    EXPECT_EQ(1, memo.Perform(cm::CM_PAINTLOCK));
    const int before = host.invalidations;
    memo.Perform(cm::CM_PAINTLOCK, 3, 0);  // bit 1: unlock without repainting
    EXPECT_EQ(0, memo.Perform(cm::CM_PAINTLOCK));
    EXPECT_EQ(before, host.invalidations);
    memo.Perform(cm::CM_PAINTLOCK, 1, 1);
    memo.Perform(cm::CM_PAINTLOCK, 1, 0);
    EXPECT_GT(host.invalidations, before);
}

TEST_F(Messages, SaveStreamFormatFlags) {
    Load("a\rb\r");
    struct Case {
        std::uintptr_t flags;
        std::string bytes;
    };
    for (const Case& c : {Case{cm::SF_CRLF, "a\r\nb\r\n"}, Case{cm::SF_CR, "a\rb\r"}, Case{cm::SF_LF, "a\nb\n"}}) {
        TMemoryStream stream;
        memo.Perform(cm::CM_SAVESTREAM, c.flags, Ptr(&stream));
        EXPECT_EQ(c.bytes, stream.Bytes()) << c.flags;
    }
    TMemoryStream stream;
    EXPECT_THROW(memo.Perform(cm::CM_SAVESTREAM, cm::SF_RTF, Ptr(&stream)), std::runtime_error);
}

TEST_F(Messages, LoadStreamReplacesTheTextWithoutHistory) {
    Type("old");
    TMemoryStream stream(std::string("new\r\ntext"));
    memo.Perform(cm::CM_LOADSTREAM, 0, Ptr(&stream));
    EXPECT_EQ("new|text", Shown());
    EXPECT_FALSE(memo.CanUndo());
    EXPECT_FALSE(memo.Modified());
    EXPECT_EQ(0, memo.Caret());
}

TEST_F(Messages, CopySelectionNeedsTheBufferSize) {
    Load("hello world");
    memo.SetSelection(0, 5);
    EXPECT_EQ(5, memo.Perform(cm::CM_COPYSEL, 0, 0));
    char small[4];
    EXPECT_EQ(5, memo.Perform(cm::CM_COPYSEL, sizeof small, Ptr(small)));
    EXPECT_EQ(std::string("hel"), std::string(small));
}

TEST_F(Messages, RedoIndentAndClipboardMessages) {
    Load("x");
    memo.SetSelection(0, 1);
    memo.Perform(cm::CM_INDENT);
    EXPECT_EQ(" x", Shown());
    memo.Perform(cm::CM_UNINDENT);
    EXPECT_EQ("x", Shown());
    memo.Undo();
    EXPECT_EQ(1, memo.Perform(cm::CM_CANREDO));
    memo.Perform(cm::CM_REDO);
    EXPECT_EQ("x", Shown());
    memo.Perform(cm::EM_SETSEL, 0, 1);
    memo.Perform(cm::WM_COPY);
    EXPECT_EQ(1, memo.Perform(cm::EM_CANPASTE));
    memo.Perform(cm::WM_CUT);
    EXPECT_EQ("", Shown());
    memo.Perform(cm::WM_PASTE);
    memo.Perform(cm::WM_PASTE);
    EXPECT_EQ("xx", Shown());
    memo.Perform(cm::EM_SETSEL, 0, 1);
    memo.Perform(cm::WM_CLEAR);
    EXPECT_EQ("x", Shown());
}

}  // namespace
}  // namespace quarry
