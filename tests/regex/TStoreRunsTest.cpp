// The store's records as runs: any position, walking forward and backward, always yields the
// record that holds it with the store's own bytes; the cursor-based runs agree.
#include "text/TEdStream.h"
#include "text/TEdStreamRuns.h"
#include "regex/TLiteralScanner.h"
#include "text/TStoreRuns.h"
#include "text/TTextStore.h"
#include "regex/TREParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>

namespace quarry {
namespace {

void expectRunHolds(TTextRuns& runs, const std::string& text, TextPos pos)
{
    const TTextRun run = runs.runAt(pos);
    ASSERT_LE(run.start, pos);
    ASSERT_GT(run.end(), pos);
    ASSERT_LE(run.end(), static_cast<TextPos>(text.size()));
    EXPECT_EQ(text.substr(static_cast<std::size_t>(run.start), static_cast<std::size_t>(run.length)),
              std::string(reinterpret_cast<const char*>(run.text), static_cast<std::size_t>(run.length)))
        << "at " << pos;
}

TEST(TStoreRuns, EveryPositionLiesInTheRunReturnedForIt)
{
    std::mt19937 rng(11);
    std::string source;
    for (int line = 0; line < 60; ++line) {
        // Some lines are long enough to be cut into segments that do not end with CR.
        const int length = rng() % 5 == 0 ? 2048 + static_cast<int>(rng() % 3000) : static_cast<int>(rng() % 40);
        for (int i = 0; i < length; ++i)
            source += static_cast<char>('a' + rng() % 26);
        source += '\r';
    }
    TTextStore store;
    store.InsertText(0, source);
    ASSERT_GT(store.LineCount(), 60);
    const std::string text = store.Text();
    TStoreRuns direct(store);
    TEdStream stream(store);
    TEdStreamRuns viaStream(stream);
    for (TTextRuns* runs : {static_cast<TTextRuns*>(&direct), static_cast<TTextRuns*>(&viaStream)}) {
        ASSERT_EQ(static_cast<TextPos>(text.size()), runs->size());
        for (TextPos p = 0; p < runs->size(); p += 1 + static_cast<TextPos>(rng() % 7))
            expectRunHolds(*runs, text, p);
        for (TextPos p = runs->size() - 1; p >= 0; p -= 1 + static_cast<TextPos>(rng() % 7))
            expectRunHolds(*runs, text, p);
        for (int i = 0; i < 500; ++i)
            expectRunHolds(*runs, text, static_cast<TextPos>(rng() % text.size()));
    }
}

// A match that straddles two runs reads both by turns: the run handed out before the newest one
// must still hold its bytes, on walks in both directions and on jumps.
TEST(TStoreRuns, TheLastTwoRunsStayReadable)
{
    std::string source;
    for (int line = 0; line < 3000; ++line)
        source += "line " + std::to_string(line) + (line % 100 == 0 ? std::string(300, '=') : "") + "\r";
    TTextStore store;
    store.InsertText(0, source);
    const std::string text = store.Text();
    TStoreRuns runs(store);
    std::mt19937 rng(3);
    auto same = [&](const TTextRun& run) {
        return text.compare(static_cast<std::size_t>(run.start), static_cast<std::size_t>(run.length),
                            reinterpret_cast<const char*>(run.text), static_cast<std::size_t>(run.length)) == 0;
    };
    TTextRun previous = runs.runAt(0);
    for (int step = 0; step < 5000; ++step) {
        TextPos pos;
        const int kind = static_cast<int>(rng() % 3);
        if (kind == 0)
            pos = previous.end() < runs.size() ? previous.end() : 0;
        else if (kind == 1)
            pos = previous.start > 0 ? previous.start - 1 : runs.size() - 1;
        else
            pos = static_cast<TextPos>(rng() % text.size());
        const TTextRun current = runs.runAt(pos);
        ASSERT_TRUE(same(current)) << "step " << step;
        ASSERT_TRUE(same(previous)) << "step " << step;
        previous = current;
    }
}

// A literal or regular-expression search, prepared once.
struct Finder {
    Finder(const char* pattern, bool isRegex) : regex(isRegex), length(static_cast<TextPos>(std::strlen(pattern)))
    {
        literal.setPattern(pattern, true);
        if (regex)
            re.SetExpression(pattern);
    }

    // Every match, forward from 0 or backward from the end, as "start-end,". Each search starts
    // afresh, as the control's do: its first run is a jump, not a walk.
    std::string all(const std::function<TTextRuns&()>& fresh, bool forward)
    {
        std::string out;
        for (TextPos at = forward ? 0 : fresh().size();;) {
            TTextRuns& text = fresh();
            TextPos start = -1;
            TextPos end = -1;
            if (regex && re.Search(text, at, forward)) {
                start = re.MatchStart();
                end = re.MatchEnd();
            } else if (!regex) {
                start = forward ? literal.findForward(text, at) : literal.findBackward(text, at);
                end = start + length;
            }
            if (start < 0)
                return out;
            out += std::to_string(start) + "-" + std::to_string(end) + ",";
            at = forward ? std::max(end, start + 1) : start;
        }
    }

    bool regex;
    TextPos length;
    TLiteralScanner literal;
    TREParser re;
};

// Records shorter and longer than what is copied in place, reached by a jump, a forward walk
// and a backward walk: each line length up to twice the largest size involved, searched as the
// same text in one buffer is.
TEST(TStoreRuns, EveryLineLengthSearchesLikeOneBuffer)
{
    Finder finders[] = {{"ax", false}, {"x\rax", false}, {"x$", true}, {"^a*\\nb", true}};
    const TextPos longest = 2 * std::max(TStoreRuns::kMinGather, TStoreRuns::kInPlace);
    for (TextPos length = 0; length <= longest; ++length) {
        const std::string line(static_cast<std::size_t>(length), 'a');
        const std::string text = line + "x\rax\r" + line + "\rb" + line + "x\r" + line;
        TTextStore store;
        store.InsertText(0, text);
        TStoreRuns runs(store);
        TFlatText flat(text);
        const auto freshRuns = [&]() -> TTextRuns& {
            runs.Reset();
            return runs;
        };
        const auto sameFlat = [&]() -> TTextRuns& { return flat; };
        for (auto& finder : finders)
            for (bool forward : {true, false})
                ASSERT_EQ(finder.all(sameFlat, forward), finder.all(freshRuns, forward))
                    << finder.literal.pattern() << (forward ? " forward" : " backward") << ", lines of " << length;
    }
}

}  // namespace
}  // namespace quarry
