// Regular expressions over UTF-8 text: a sequence is one character for ".", classes and counted
// repeats, a match never starts inside one, and ignoring case folds Latin-1 letters.
#include "regex/TREParser.h"
#include "support/SplitText.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

// "start,end" of the match, "-" for none; searched over one buffer, over one-byte runs and
// without the search filters, which must agree.
std::string search(const std::string& pattern, const std::string& text, bool caseSensitive, bool forward, TextPos from)
{
    std::string results[3];
    for (int way = 0; way < 3; ++way) {
        TREParser re;
        re.SetUtf8(true);
        re.SetCaseSensitive(caseSensitive);
        re.SetExpression(pattern);
        re.SetAccelerators(way != 2);
        TFlatText flat(text);
        test::SplitText split(text, 7, 1);
        TTextRuns& runs = way == 1 ? static_cast<TTextRuns&>(split) : flat;
        results[way] = re.Search(runs, from, forward) ? std::to_string(re.MatchStart()) + "," + std::to_string(re.MatchEnd()) : "-";
    }
    EXPECT_EQ(results[0], results[1]) << pattern;
    EXPECT_EQ(results[0], results[2]) << pattern;
    return results[0];
}

TEST(TREParserUtf8, SequencesAreCharacters)
{
    // "äb€中" then a damaged byte: starts 0 2 3 6, damage at 9, end 10.
    const std::string text = "\xC3\xA4" "b\xE2\x82\xAC\xE4\xB8\xAD\xFF";
    const struct {
        const char* pattern;
        bool caseSensitive;
        bool forward;
        TextPos from;
        const char* expected;
    } cases[] = {
        {".", true, true, 0, "0,2"},
        {"..", true, true, 1, "2,6"},              // never from inside "ä"
        {".", true, false, 9, "6,9"},              // backward: "中", not its last byte
        {".{3}", true, true, 0, "0,6"},
        {"b.*", true, true, 0, "2,10"},            // the damaged byte is a character too
        {"b.+\xE4\xB8\xAD", true, true, 0, "2,9"},
        {"[\xE2\x82\xAC\xE4\xB8\xAD]+", true, true, 0, "3,9"},
        {"[\xC3\xA0-\xC3\xBF]", true, true, 0, "0,2"},
        {"[^b]", true, true, 2, "3,6"},
        {"[^\xE2\x82\xAC]b", true, true, 0, "0,3"},
        {"\\W", true, true, 2, "3,6"},
        {"\xE4\xB8\xAD?\xFF", true, true, 0, "6,10"},
        {"\xE2\x82\xAC{2}", true, true, 0, "-"},
        {"\xC3\x84", false, true, 0, "0,2"},       // "Ä" finds "ä" ignoring case
        {"\xC3\x84", true, true, 0, "-"},
        {"[\xC3\x84]B", false, true, 0, "0,3"},
        {"\xE4\xB8\xAD", false, true, 0, "6,9"},   // no case: its bytes stay as they are
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, search(c.pattern, text, c.caseSensitive, c.forward, c.from)) << c.pattern;
}

// Folding Windows-1252 bytes would pair "Ś" (C5 9A) with "Ŋ" (C5 8A) and lead bytes with others.
TEST(TREParserUtf8, IgnoringCaseDoesNotFoldSequenceBytes)
{
    EXPECT_EQ("-", search("\xC5\x9A", "\xC5\x8A", false, true, 0));
    EXPECT_EQ("-", search("\xE4\xB8\xAD", "\xC4\xB8\xAD", false, true, 0));
    EXPECT_EQ("0,1", search("a", "A", false, true, 0));
}

}  // namespace
}  // namespace quarry
