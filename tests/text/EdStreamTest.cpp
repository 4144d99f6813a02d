#include <gtest/gtest.h>

#include <string>

#include "support/ThrownMessage.h"
#include "text/ECodeMemo.h"
#include "text/TEdStream.h"
#include "text/TTextStore.h"

namespace quarry {
namespace {

TEST(EdStream, WalksForwardAndBackAcrossRecords) {
    TTextStore store;
    store.InsertText(0, "ab\rc\r\rde");
    TEdStream s(store);
    std::string forward;
    for (char c = s.Current(); !s.AtEnd(); c = s.Next()) forward += c;
    EXPECT_EQ("ab\rc\r\rde", forward);
    EXPECT_EQ('\0', s.Current());
    EXPECT_EQ(8, s.Position());
    std::string backward;
    while (s.Position() > 0) backward += s.Previous();
    EXPECT_EQ("ed\r\rc\rba", backward);
    EXPECT_EQ('a', s.Previous());  // stays at the start
    EXPECT_EQ(0, s.Position());
}

TEST(EdStream, EndOffsetClipsEverything) {
    TTextStore store;
    store.InsertText(0, "hello\rworld");
    TEdStream s(store, 3, 8);
    EXPECT_EQ('l', s.Current());
    EXPECT_EQ("lo\r", std::string(s.Run()));
    char buffer[16] = {};
    EXPECT_EQ(5, s.Read(buffer, 16));
    EXPECT_EQ("lo\rwo", std::string(buffer));
    EXPECT_TRUE(s.AtEnd());
    EXPECT_EQ('\0', s.Next());
    EXPECT_EQ("", std::string(s.Run()));
}

TEST(EdStream, SeekNearAndFarLandsOnTheRightCharacter) {
    TTextStore store;
    std::string text;
    for (int i = 0; i < 500; ++i) text += "line" + std::to_string(i) + "\r";
    store.InsertText(0, text);
    TEdStream s(store);
    for (Offset pos : {Offset{0}, Offset{7}, Offset{3000}, Offset{2999}, Offset{5}, Offset{static_cast<Offset>(text.size()) - 1},
                       Offset{1234}, Offset{1236}, Offset{1229}}) {
        SCOPED_TRACE(pos);
        s.Seek(pos);
        EXPECT_EQ(pos, s.Position());
        EXPECT_EQ(text[static_cast<std::size_t>(pos)], s.Current());
        const std::string_view run = s.Run();
        const std::size_t lineEnd = text.find('\r', static_cast<std::size_t>(pos));
        EXPECT_EQ(text.substr(static_cast<std::size_t>(pos), lineEnd - static_cast<std::size_t>(pos) + 1), std::string(run));
    }
    s.Seek(static_cast<Offset>(text.size()));
    EXPECT_TRUE(s.AtEnd());
    s.Seek(-5);
    EXPECT_EQ(0, s.Position());
}

TEST(EdStream, ReadOnlyStreamRefusesWrites) {
    TTextStore store;
    store.InsertText(0, "abc");
    TEdStream s(store);
    EXPECT_EQ("Cannot write to a read-only stream", test::thrownMessage<ECodeMemo>([&] { s.Write("x", 1); }));
    EXPECT_EQ("abc", store.Text());
}

TEST(EdStream, WritableStreamInsertsAtItsPosition) {
    TTextStore store;
    store.InsertText(0, "ac");
    TEdStream s(store, 0, -1, false);
    s.Seek(1);
    EXPECT_EQ(2, s.Write("b\r\n", 3));  // normalised to two characters
    EXPECT_EQ("ab\rc", store.Text());
    EXPECT_EQ(3, s.Position());
    EXPECT_EQ('c', s.Current());
}

TEST(EdStream, EmptyStoreIsAtEnd) {
    TTextStore store;
    TEdStream s(store);
    EXPECT_TRUE(s.AtEnd());
    EXPECT_EQ('\0', s.Current());
    EXPECT_EQ('\0', s.Next());
    EXPECT_EQ(0, s.Read(nullptr, 0));
}

}  // namespace
}  // namespace quarry
