#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/ThrownMessage.h"
#include "text/ECodeMemo.h"
#include "text/TCustomBookmarks.h"
#include "text/TCM_Breakpoints.h"
#include "text/TLineSegmenter.h"
#include "text/TMemoryStream.h"
#include "text/TTextStore.h"

namespace quarry {
namespace {

// The naive oracle: line ends made single CRs, greedily from the left; every other byte kept.
std::string Oracle(const std::string& in) {
    std::string out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '\r' || c == '\n') {
            out += '\r';
            const char partner = c == '\r' ? '\n' : '\r';
            if (i + 1 < in.size() && in[i + 1] == partner) ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> Records(TTextStore& store) {
    std::vector<std::string> lines;
    for (RecordId r = store.First(); r != kNoRecord; r = store.Next(r)) lines.emplace_back(store.LineText(r));
    return lines;
}

// Cuts every line into pieces of a fixed width: many segments from little text.
class FixedWidthSegmenter final : public TLineSegmenter {
public:
    explicit FixedWidthSegmenter(int width) : width_(width) {}
    void Split(std::string_view line, std::vector<std::int32_t>& lengths) const override {
        for (std::size_t at = 0; at < line.size(); at += static_cast<std::size_t>(width_))
            lengths.push_back(static_cast<std::int32_t>(std::min<std::size_t>(width_, line.size() - at)));
    }

private:
    int width_;
};

struct NormaliseCase {
    const char* name;
    std::string input;
    std::string stored;
    int lines;
};

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

TEST(TextStore, NormalisesEveryLineEndForm) {
    const std::vector<NormaliseCase> cases = {
        {"LF", "a\nb\nc", "a\rb\rc", 3},
        {"CR LF", "a\r\nb\r\nc", "a\rb\rc", 3},
        {"CR", "a\rb\rc", "a\rb\rc", 3},
        {"LF CR", "a\n\rb\n\rc", "a\rb\rc", 3},
        {"final break", "a\r\nb\r\n", "a\rb\r", 2},
        {"empty lines CR LF", "\r\n\r\n", "\r\r", 2},
        {"LF LF is two breaks", "a\n\nb", "a\r\rb", 3},
        {"CR CR is two breaks", "a\r\rb", "a\r\rb", 3},
        {"LF CR LF pairs from the left", "a\n\r\nb", "a\r\rb", 3},
        {"control bytes are kept", std::string("a\0b\x07" "c\x1b\x0c", 7), std::string("a\0b\x07" "c\x1b\x0c", 7), 1},
        {"TAB is kept", "\ta\tb", "\ta\tb", 1},
        {"high bytes are kept", "\xe9\xff\x80", "\xe9\xff\x80", 1},
        {"CR at byte 8192 then LF", Repeat('x', 8191) + "\r\ny", Repeat('x', 8191) + "\ry", 2},
        {"LF at byte 8192 then CR", Repeat('x', 8191) + "\n\ry", Repeat('x', 8191) + "\ry", 2},
        {"CR LF ending at byte 8192", Repeat('x', 8190) + "\r\n\r\ny", Repeat('x', 8190) + "\r\ry", 3},
        {"CR at byte 8192 then CR", Repeat('x', 8191) + "\r\ry", Repeat('x', 8191) + "\r\ry", 3},
    };
    for (const auto& c : cases) {
        for (bool viaStream : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (viaStream ? " (stream)" : " (insert)"));
            TTextStore store;
            if (viaStream) {
                TMemoryStream stream(c.input);
                store.LoadFromStream(stream, 0);
            } else {
                store.InsertText(0, c.input.data(), static_cast<std::int32_t>(c.input.size()));
            }
            EXPECT_EQ(c.stored, store.Text());
            EXPECT_EQ(Oracle(c.input), store.Text());
            EXPECT_EQ(c.lines, store.LogicalLineCount());
            store.CheckInvariants();
        }
    }
}

struct SaveCase {
    const char* name;
    TSaveFormat format;
    TSelLineStyle style;
    std::string expected;
};

TEST(TextStore, SavesInEveryForm) {
    const std::vector<SaveCase> cases = {
        {"text CR LF", TSaveFormat::sfTEXT, TSelLineStyle::lsCRLF, "one\r\n\ttwo\r\n\r\nlast"},
        {"text CR only", TSaveFormat::sfTEXT, TSelLineStyle::lsLF, "one\r\ttwo\r\rlast"},
        {"unix", TSaveFormat::sfUNIX, TSelLineStyle::lsCRLF, "one\n\ttwo\n\nlast"},
        {"unix ignores the line style", TSaveFormat::sfUNIX, TSelLineStyle::lsLF, "one\n\ttwo\n\nlast"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTextStore store;
        store.InsertText(0, "one\n\ttwo\r\n\rlast");
        TMemoryStream out;
        const std::int64_t written = store.WriteText(out, 0, store.CharCount(), c.format, c.style);
        EXPECT_EQ(c.expected, out.Bytes());
        EXPECT_EQ(static_cast<std::int64_t>(c.expected.size()), written);
        EXPECT_EQ(written, store.WrittenSize(0, store.CharCount(), c.format, c.style));
    }
}

TEST(TextStore, LocateReportsRecordLineAndStart) {
    TTextStore store;
    store.InsertText(0, "ab\rcde\r\rf");
    struct Case {
        Offset offset;
        LineIndex line;
        Offset lineStart;
        std::string text;
    };
    const std::vector<Case> cases = {{0, 0, 0, "ab\r"},  {2, 0, 0, "ab\r"}, {3, 1, 3, "cde\r"}, {6, 1, 3, "cde\r"},
                                     {7, 2, 7, "\r"},    {8, 3, 8, "f"},    {9, 3, 8, "f"},     {50, 3, 8, "f"},
                                     {4, 1, 3, "cde\r"}, {0, 0, 0, "ab\r"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        const auto loc = store.Locate(c.offset);
        EXPECT_EQ(c.line, loc.line);
        EXPECT_EQ(c.lineStart, loc.lineStart);
        EXPECT_EQ(c.text, std::string(store.LineText(loc.record)));
        store.CheckInvariants();
    }
}

TEST(TextStore, PositionAfterFinalBreakIsOnTheEmptyLastLine) {
    TTextStore store;
    store.InsertText(0, "ab\r");
    const auto loc = store.Locate(3);
    EXPECT_EQ(1, loc.line);
    EXPECT_EQ(3, loc.lineStart);
    EXPECT_EQ(store.Last(), loc.record);
    EXPECT_EQ(0, store.ColumnOf(3));
    EXPECT_EQ(1, store.LogicalLineCount());
}

TEST(TextStore, LongLinesAreCutIntoSegmentsWithoutWordWrap) {
    struct Case {
        std::size_t length;
        int records;
    };
    for (const Case c : {Case{2047, 1}, Case{2048, 2}, Case{3000, 2}, Case{2047 * 3, 3}, Case{2047 * 3 + 1, 4}}) {
        SCOPED_TRACE(c.length);
        TTextStore store;
        store.InsertText(0, std::string(c.length, 'x') + "\r");
        EXPECT_EQ(c.records, store.LineCount());
        EXPECT_EQ(1, store.LogicalLineCount());
        store.CheckInvariants();
    }
}

TEST(TextStore, WidestLineFollowsGrowthAndShrinking) {
    TTextStore store;
    store.InsertText(0, "abc\rabcdef\rx");
    EXPECT_EQ(7, store.WidestLine());
    store.InsertText(1, "0123456789");
    EXPECT_EQ(14, store.WidestLine());
    store.DeleteRange(0, 14);
    EXPECT_EQ(7, store.WidestLine());
    store.CheckInvariants();
}

TEST(TextStore, InsertedChunksAreReportedWithNormalisedLength) {
    TTextStore store;
    std::vector<std::pair<Offset, Offset>> events;
    store.OnTextChange = [&](Offset start, Offset extent) { events.emplace_back(start, extent); };
    std::string text = std::string(8190, 'a') + "\r\n" + std::string(10, 'b');  // cut after 8,192 bytes
    store.InsertText(0, text);
    ASSERT_EQ(2u, events.size());
    EXPECT_EQ(std::make_pair(Offset{0}, Offset{8191}), events[0]);
    EXPECT_EQ(std::make_pair(Offset{8191}, Offset{10}), events[1]);
}

TEST(TextStore, NamedBookmarkInDeletedRangeIsRemovedAndOneAfterMovesBack) {
    TTextStore store;
    store.InsertText(0, "0123456789");
    store.NamedBookmarks().Add("inside", 4);
    store.NamedBookmarks().Add("after", 6);
    store.NamedBookmarks().Add("before", 2);
    std::vector<std::string> freed;
    store.OnCustomBookmarkFree = [&](const std::string& name) { freed.push_back(name); };
    store.DeleteRange(3, 6);
    EXPECT_EQ(std::vector<std::string>{"inside"}, freed);
    Offset pos = -1;
    ASSERT_TRUE(store.NamedBookmarks().Find("after", pos));
    EXPECT_EQ(3, pos);
    ASSERT_TRUE(store.NamedBookmarks().Find("before", pos));
    EXPECT_EQ(2, pos);
    store.InsertText(2, "xx");
    ASSERT_TRUE(store.NamedBookmarks().Find("before", pos));
    EXPECT_EQ(4, pos);
}

TEST(TextStore, BreakpointsShiftWithInsertionsAndVanishWithTheirText) {
    TTextStore store;
    store.InsertText(0, "line1\rline2\rline3\r");
    store.Breakpoints().Add(6);
    store.Breakpoints().Add(12);
    std::vector<Offset> freed;
    store.Breakpoints().OnFree = [&](const TPositionMarkList::Entry& e) { freed.push_back(e.position); };
    store.InsertText(0, "new\r");
    ASSERT_EQ(2u, store.Breakpoints().Entries().size());
    EXPECT_EQ(10, store.Breakpoints().Entries()[0].position);
    store.DeleteRange(10, 16);
    EXPECT_EQ(std::vector<Offset>{10}, freed);
    ASSERT_EQ(1u, store.Breakpoints().Entries().size());
    EXPECT_EQ(10, store.Breakpoints().Entries()[0].position);
}

TEST(TextStore, TrackFollowsItsLineAndDiesWithIt) {
    TTextStore store;
    store.InsertText(0, "one\rtwo\rthree\r");
    std::vector<std::int32_t> added, freed;
    store.OnTrackAdd = [&](std::int32_t id) { added.push_back(id); };
    store.OnTrackFree = [&](std::int32_t id) { freed.push_back(id); };
    const std::int32_t id = store.AddTrack(2, 77);
    ASSERT_GT(id, 0);
    EXPECT_EQ(std::vector<std::int32_t>{id}, added);
    EXPECT_EQ(77, store.TrackValue(id));
    store.InsertText(0, "zero\r");
    EXPECT_EQ(3, store.TrackLine(id));
    store.InsertText(store.Locate(9).lineStart, "x");  // typing at the start of the line keeps it
    EXPECT_EQ(3, store.TrackLine(id));
    store.DeleteRange(9, 14);  // "xtwo\r"
    EXPECT_EQ(std::vector<std::int32_t>{id}, freed);
    EXPECT_FALSE(store.IsTrack(id));
    store.CheckInvariants();
}

TEST(TextStore, TrackRejectsBadLinesAndUnknownIds) {
    TTextStore store;
    store.InsertText(0, "a\rb");
    EXPECT_EQ(-1, store.AddTrack(0, 1));
    EXPECT_EQ(-1, store.AddTrack(3, 1));
    const std::int32_t id = store.AddTrack(1, 1);
    store.RemoveTrack(id);
    EXPECT_EQ("Invalid track ID (" + std::to_string(id) + ")",
              test::thrownMessage<ECodeMemo>([&] { store.RemoveTrack(id); }));
}

TEST(TextStore, TrackOnAContinuationSegmentGoesToTheLineStart) {
    TTextStore store;
    FixedWidthSegmenter segmenter(4);
    store.SetSegmenter(&segmenter);
    store.InsertText(0, "first\rabcdefghij\rlast");
    ASSERT_EQ(6, store.LineCount());  // "firs" "t\r" "abcd" "efgh" "ij\r" "last"
    const std::int32_t id = store.AddTrack(4, 5);  // "efgh", second segment of line 2
    EXPECT_EQ(3, store.TrackLine(id));
    store.CheckInvariants();
}

// Differential test: thousands of seeded edits against a plain string, invariants after each.
void RunDifferential(const TLineSegmenter* segmenter, unsigned seed, int steps) {
    std::mt19937 rng(seed);
    TTextStore store;
    store.SetSegmenter(segmenter);
    std::string oracle;
    const std::string alphabet = "abc \t\r\n\r\nxyz\n\r";
    auto randomText = [&]() {
        std::string text;
        const int kind = static_cast<int>(rng() % 20);
        std::size_t length = rng() % 12;
        if (kind == 0) length = 2040 + rng() % 20;        // around the long-line limit
        if (kind == 1) length = 8185 + rng() % 16;        // around the chunk size
        for (std::size_t i = 0; i < length; ++i) text += alphabet[rng() % alphabet.size()];
        if (kind == 0) text = std::string(length, 'L');
        return text;
    };
    for (int step = 0; step < steps; ++step) {
        const auto size = static_cast<Offset>(oracle.size());
        if (rng() % 3 != 0 || size == 0) {
            const Offset at = static_cast<Offset>(rng() % (oracle.size() + 1));
            const std::string text = randomText();
            const std::int32_t n = store.InsertText(at, text);
            const std::string normal = Oracle(text);
            oracle.insert(static_cast<std::size_t>(at), normal);
            ASSERT_EQ(static_cast<std::int32_t>(normal.size()), n);
        } else {
            const Offset a = static_cast<Offset>(rng() % (oracle.size() + 1));
            const Offset len = static_cast<Offset>(rng() % (rng() % 8 == 0 ? oracle.size() + 1 : 30));
            const Offset b = std::min<Offset>(a + len, size);
            store.DeleteRange(a, b);
            oracle.erase(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
        }
        ASSERT_NO_THROW(store.CheckInvariants()) << "step " << step;
        ASSERT_EQ(static_cast<Offset>(oracle.size()), store.CharCount()) << "step " << step;
        if (step % 16 == 0) {
            ASSERT_EQ(oracle, store.Text()) << "step " << step;
        }
        // Random reads go through the finger from wherever it stands.
        if (!oracle.empty()) {
            const Offset probe = static_cast<Offset>(rng() % oracle.size());
            ASSERT_EQ(oracle[static_cast<std::size_t>(probe)], store.CharAt(probe)) << "step " << step;
        }
    }
    EXPECT_EQ(oracle, store.Text());
}

TEST(TextStoreDifferential, MatchesAStringUnderRandomEdits) {
    FixedWidthSegmenter tiny(3);  // many segments from little text
    const std::pair<const TLineSegmenter*, unsigned> runs[] = {{nullptr, 1}, {nullptr, 2}, {nullptr, 3}, {nullptr, 4},
                                                               {&tiny, 11},   {&tiny, 12},   {&tiny, 13}};
    for (const auto& [segmenter, seed] : runs) {
        SCOPED_TRACE(seed);
        RunDifferential(segmenter, seed, 1500);
        if (HasFatalFailure()) return;
    }
}

// Edits inside lines of several segments touch only their segments; the result must still be the
// text of a plain string and every line below the long-line length one segment again.
TEST(TextStoreDifferential, MatchesAStringInsideLongLines) {
    for (unsigned seed = 41; seed <= 44; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        TTextStore store;
        std::string oracle;
        for (int line = 0; line < 4; ++line) oracle += std::string(1500 + rng() % 6000, static_cast<char>('a' + line)) + "\r";
        store.InsertText(0, oracle);
        for (int step = 0; step < 1500; ++step) {
            const auto size = static_cast<Offset>(oracle.size());
            const Offset at = static_cast<Offset>(rng() % (oracle.size() + 1));
            const int kind = static_cast<int>(rng() % 10);
            if (kind < 5) {
                std::string text(1 + rng() % (kind == 0 ? 3000 : 4), 'x');
                if (kind == 1) text[rng() % text.size()] = '\r';
                store.InsertText(at, text);
                oracle.insert(static_cast<std::size_t>(at), text);
            } else {
                const Offset length = static_cast<Offset>(kind == 9 ? rng() % 4000 : 1 + rng() % 3);
                const Offset end = std::min<Offset>(at + length, size);
                store.DeleteRange(at, end);
                oracle.erase(static_cast<std::size_t>(at), static_cast<std::size_t>(end - at));
            }
            ASSERT_NO_THROW(store.CheckInvariants()) << "step " << step;
            ASSERT_EQ(static_cast<Offset>(oracle.size()), store.CharCount()) << "step " << step;
            if (step % 50 == 0) {
                ASSERT_EQ(oracle, store.Text()) << "step " << step;
            }
        }
        EXPECT_EQ(oracle, store.Text());
    }
}

TEST(TextStore, BookmarkOnALongLineSurvivesEditsInsideIt) {
    TTextStore store;
    store.InsertText(0, "top\r" + std::string(5000, 'q') + "\rend");
    const TTextStore::Location line = store.LocateLogicalLine(1);
    store.SetBookmarkBits(line.record, 1u << 4);
    const std::int32_t track = store.AddTrack(2, 9);
    store.DeleteRange(4, 4 + 2047);  // the whole first segment of the long line
    store.InsertText(5000, "abc");
    store.DeleteRange(10, 12);
    TTextStore::Location where;
    ASSERT_TRUE(store.FindBookmark(4, where));
    EXPECT_EQ(1, where.line);
    EXPECT_EQ(2, store.TrackLine(track));
    store.InsertText(4, "new\r");  // a line inserted above: the bookmark stays with its text
    ASSERT_TRUE(store.FindBookmark(4, where));
    EXPECT_EQ(2, where.line);
    EXPECT_EQ('q', store.CharAt(where.lineStart));
    EXPECT_EQ(3, store.TrackLine(track));
    store.CheckInvariants();
}

TEST(TextStore, ResegmentKeepsTextAndTokenValues) {
    TTextStore store;
    store.InsertText(0, "abcdefghij\rxy\r");
    const std::vector<std::uint8_t> styles(11, 7);
    store.SetStyles(store.First(), styles.data(), {store.InternScanState("s"), 1});
    FixedWidthSegmenter segmenter(4);
    store.SetSegmenter(&segmenter);
    store.Resegment();
    EXPECT_EQ((std::vector<std::string>{"abcd", "efgh", "ij\r", "xy\r"}), Records(store));
    ASSERT_NE(nullptr, store.StylesOf(store.Record(store.First())));
    EXPECT_EQ(7, store.StylesOf(store.Record(store.First()))[3]);
    // The line still starts in the state its scan began in; its new segments start in none known.
    EXPECT_EQ("s", store.ScanState(store.ScanStartOf(store.Record(store.First())).state));
    EXPECT_FALSE(store.ScanStartOf(store.Record(store.Next(store.First()))).Known());
    store.SetSegmenter(nullptr);
    store.Resegment();
    EXPECT_EQ((std::vector<std::string>{"abcdefghij\r", "xy\r"}), Records(store));
    store.CheckInvariants();
}

TEST(TextStore, AFullTableOfScanStatesKeepsTheStatesLinesName) {
    TTextStore store;
    store.InsertText(0, "a\rb\r");
    for (std::size_t i = 0; i < TScanStates::kCapacity; ++i) store.InternScanState(std::to_string(i));
    const std::uint8_t values[2] = {1, 1};
    store.SetStyles(store.First(), values, {store.InternScanState("7"), 1});
    store.SetStyles(store.Next(store.First()), values, {store.InternScanState("65000"), 1});
    const TScanStates::Index added = store.InternScanState("new");
    ASSERT_NE(TScanStates::kUnknown, added);
    EXPECT_EQ(3u, store.ScanStateCount());
    EXPECT_EQ("7", store.ScanState(store.ScanStartOf(store.Record(store.First())).state));
    EXPECT_EQ("65000", store.ScanState(store.ScanStartOf(store.Record(store.Next(store.First()))).state));
    EXPECT_EQ("new", store.ScanState(added));
}

}  // namespace
}  // namespace quarry
