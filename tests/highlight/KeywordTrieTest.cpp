// The keyword trie: longest match valid in the current states and properly ended, against a
// naive oracle; keyword tables of a language.
#include "support/ThrownMessage.h"
#include "highlight/LanguageSettings.h"
#include "highlight/TKeywords.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace quarry {
namespace {

struct WordSpec {
    const char* word;
    const char* end;  // one character specifier
    int value;
    StateSet states;
};

// The match at the start of text as "word=value", or "none" (with the cursor one past the start).
std::string lookupDump(TKeywords& trie, const std::string& text, const StateSet& current)
{
    trie.setCurrentStates(current);
    BufferCursor cursor(text);
    ScanOffset start = 0;
    int length = 0;
    const KeywordEnding* e = trie.lookup(cursor, start, length);
    if (!e) {
        EXPECT_EQ(1, cursor.position());
        EXPECT_EQ(1, length);
        return "none";
    }
    EXPECT_EQ(length, cursor.position());
    return text.substr(0, size_t(length)) + "=" + std::to_string(e->value);
}

void addAll(TSyntaxKeywords& trie, const std::vector<WordSpec>& words, bool caseSensitive)
{
    for (const WordSpec& w : words)
        trie.addWord(w.word, caseSensitive, w.value, w.states, TCM_CharGroup::parseSpecifiers(w.end).front());
}

TEST(KeywordTrie, LongestValidProperlyEndedWordWins)
{
    TSyntaxKeywords trie;
    addAll(trie,
           {{"begin", "[ ;(]", 1, StateSet::of({0})},
            {"end", "[^a-z]", 2, StateSet::of({0})},
            {"endif", "[^a-z]", 3, StateSet::of({0})},
            {"else", "[^a-z]", 4, StateSet::of({1})},
            {"e", "[^a-z]", 5, StateSet::of({0, 1})}},
           false);
    struct Case {
        const char* text;
        StateSet current;
        const char* expected;
    } cases[] = {
        {"begin;", StateSet::of({0}), "begin=1"},
        {"beginner", StateSet::of({0}), "none"},
        {"begin", StateSet::of({0}), "begin=1"},  // the end of the text ends any word
        {"endif ", StateSet::of({0}), "endif=3"},
        {"end ", StateSet::of({0}), "end=2"},
        {"endi ", StateSet::of({0}), "none"},
        {"BEGIN(", StateSet::of({0}), "BEGIN=1"},
        {"else ", StateSet::of({0}), "none"},       // else is valid in state 1 only
        {"else ", StateSet::of({1}), "else=4"},
        {"else ", StateSet::of({0, 1}), "else=4"},
        {"e+", StateSet::of({1}), "e=5"},
        {"endx", StateSet::of({0}), "none"},
        {"x", StateSet::of({0}), "none"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, lookupDump(trie, c.text, c.current)) << c.text;
}

TEST(KeywordTrie, CaseSensitiveTableDoesNotFold)
{
    TSyntaxKeywords trie;
    addAll(trie, {{"Begin", "[^a-z]", 1, StateSet::of({0})}}, true);
    EXPECT_EQ("Begin=1", lookupDump(trie, "Begin ", StateSet::of({0})));
    EXPECT_EQ("none", lookupDump(trie, "begin ", StateSet::of({0})));
}

TEST(KeywordTrie, DuplicateOnlyForOverlappingStates)
{
    TSyntaxKeywords trie;
    addAll(trie, {{"if", " ", 1, StateSet::of({0, 2})}}, false);
    EXPECT_NO_THROW(addAll(trie, {{"if", " ", 7, StateSet::of({1})}}, false));
    EXPECT_EQ("Duplicate keyword - 'IF'",
              test::thrownMessage<EKeywords>([&] { addAll(trie, {{"IF", " ", 9, StateSet::of({2, 3})}}, false); }));
    EXPECT_EQ("if=7", lookupDump(trie, "if ", StateSet::of({1})));
    EXPECT_EQ("if=1", lookupDump(trie, "if ", StateSet::of({2})));
}

TEST(KeywordTrie, StreamFormRebuildsTheSameTable)
{
    TSyntaxKeywords trie;
    addAll(trie,
           {{"while", "[^a-z0-9_]", 12, StateSet::of({0})}, {"wh", "[ ]", 3, StateSet::of({4, 200})},
            {"<a", "[^a-z]", 50, StateSet::of({0})}},
           true);
    ByteWriter out;
    trie.write(out);
    TSyntaxKeywords copy;
    ByteReader in(out.data());
    copy.read(in);
    EXPECT_TRUE(in.atEnd());
    ByteWriter again;
    copy.write(again);
    EXPECT_EQ(out.data(), again.data());
    EXPECT_EQ("while=12", lookupDump(copy, "while(", StateSet::of({0})));
    EXPECT_EQ("wh=3", lookupDump(copy, "wh ", StateSet::of({200})));
}

// A naive oracle: try every word at the start, keep the longest valid, properly ended one.
TEST(KeywordTrie, AgreesWithNaiveOracleOnRandomWordsAndTexts)
{
    std::mt19937 rng(1234);
    const std::string alphabet = "abcAB_ ;";
    auto randomWord = [&](size_t maxLen) {
        std::string w;
        size_t n = 1 + rng() % maxLen;
        for (size_t i = 0; i < n; ++i)
            w += alphabet[rng() % 5];
        return w;
    };
    for (int round = 0; round < 40; ++round) {
        TSyntaxKeywords trie;
        const bool caseSensitive = round % 2;
        struct Entry {
            std::string word;
            TCM_CharGroup end;
            int value;
            StateSet states;
        };
        std::vector<Entry> entries;
        const char* ends[] = {"[^a-z]", "[ ;]", "[^ ]", "a-c"};
        for (int i = 0; i < 30; ++i) {
            Entry e{randomWord(5), TCM_CharGroup::parseSpecifiers(ends[rng() % 4]).front(), int(rng() % 256),
                    StateSet::of({int(rng() % 3)})};
            try {
                trie.addWord(e.word, caseSensitive, e.value, e.states, e.end);
                entries.push_back(e);
            } catch (const EKeywords&) {
            }
        }
        auto fold = [&](std::string s) {
            if (!caseSensitive)
                for (char& c : s)
                    c = char(std::tolower((unsigned char)c));
            return s;
        };
        for (int t = 0; t < 200; ++t) {
            std::string text = randomWord(8);
            StateSet current = StateSet::of({int(rng() % 3)});
            const Entry* best = nullptr;
            for (const Entry& e : entries) {
                if (text.size() < e.word.size() || fold(text.substr(0, e.word.size())) != fold(e.word))
                    continue;
                if (!e.states.meets(current))
                    continue;
                bool ended = text.size() == e.word.size() || e.end.contains((unsigned char)text[e.word.size()]);
                if (ended && (!best || e.word.size() > best->word.size()))
                    best = &e;
            }
            std::string expected =
                best ? text.substr(0, best->word.size()) + "=" + std::to_string(best->value) : "none";
            ASSERT_EQ(expected, lookupDump(trie, text, current)) << "text '" << text << "' round " << round;
        }
    }
}

TEST(KeywordTables, ReplaceEqualStatesRefuseOverlapAndCountSlots)
{
    LanguageSettings s;
    auto table = [](StateSet states, std::vector<std::pair<std::string, int32_t>> words) {
        KeywordTable t;
        t.states = states;
        t.endChars = "[^a-z]";
        t.words = std::move(words);
        return t;
    };
    s.registerKeywordTable(table(StateSet::of({2, 3}), {{"old", 1}}));
    EXPECT_EQ("Ambigious key table state definition",
              test::thrownMessage<EKeywords>([&] { s.registerKeywordTable(table(StateSet::of({1, 2}), {{"x", 1}})); }));
    s.registerKeywordTable(table(StateSet::of({2, 3}), {{"new", 5}}));
    ASSERT_EQ(1u, s.keywordTables.size());
    TKeywords* trie = s.keywordTrie();
    ASSERT_NE(nullptr, trie);
    EXPECT_EQ("new=5", lookupDump(*trie, "new ", StateSet::of({3})));
    EXPECT_EQ("none", lookupDump(*trie, "old ", StateSet::of({3})));

    // An empty state set stands for state 0.
    s.registerKeywordTable(table(StateSet(), {{"zero", 9}}));
    EXPECT_EQ("zero=9", lookupDump(*s.keywordTrie(), "zero", StateSet::of({0})));
    for (int state = 10; s.keywordTables.size() < 20; ++state)
        s.registerKeywordTable(table(StateSet::of({state}), {{"w", 1}}));
    EXPECT_EQ("Too many keyword tables declared",
              test::thrownMessage<EKeywords>([&] { s.registerKeywordTable(table(StateSet::of({99}), {{"w", 1}})); }));
}

TEST(KeywordTables, EmptyEndCharactersEndAtNonIdentifierCharacters)
{
    LanguageSettings s;
    KeywordTable t;
    t.words = {{"int", 12}};
    s.registerKeywordTable(t);
    EXPECT_EQ("int=12", lookupDump(*s.keywordTrie(), "int(", StateSet::of({0})));
    EXPECT_EQ("none", lookupDump(*s.keywordTrie(), "int_x", StateSet::of({0})));
    EXPECT_EQ("none", lookupDump(*s.keywordTrie(), "int9", StateSet::of({0})));
}

}  // namespace
}  // namespace quarry
