// Expansion of regular-expression replacement templates, one row per rule.
#include "editor/TReplaceTemplate.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    std::string expected;
};

const Case kCases[] = {
    {"%%", "%"},
    {"a%%b", "a%b"},
    {"%0", ""},
    {"%1", "<1>"},
    {"%3%1", "<3><1>"},
    {"%12x", "<12>x"},
    {"%255", "<255>"},
    {"%256", ""},
    {"%0001", "<1>"},
    {"%99999999999", ""},
    {"%a", "a"},
    {"%\\n", "\\n"},  // "%" takes the backslash as a plain character
    {"100%", "100%"},
    {"\\\\", "\\"},
    {"x\\ny", "x\ry"},
    {"\\r", "\n"},
    {"\\t\\s\\b\\f", "\t \b\f"},
    {"\\N\\T\\S\\R", "\r\t \n"},
    {"\\101\\60", "A0"},
    {"\\0x", std::string("\0x", 2)},
    {"\\1012", "A2"},
    {"a\\777b", "a"},
    {"\\x41\\X42", "AB"},
    {"\\x4G", "\x04G"},
    {"\\xZ", "xZ"},
    {"\\q\\%", "q%"},
    {"end\\", "end\\"},
};

TEST(TReplaceTemplate, ExpandsEachRule)
{
    const auto subMatch = [](int n) { return "<" + std::to_string(n) + ">"; };
    for (const auto& c : kCases)
        EXPECT_EQ(c.expected, quarry::TReplaceTemplate::Expand(c.text, subMatch)) << c.text;
}

}  // namespace
