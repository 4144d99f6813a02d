// Character specifiers: single characters, ranges and classes become character groups.
#include "support/ThrownMessage.h"
#include "highlight/TCM_CharGroup.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

std::string dumpAll(const std::string& text)
{
    std::string out;
    for (const TCM_CharGroup& g : TCM_CharGroup::parseSpecifiers(text))
        out += (out.empty() ? "" : " ") + g.dump();
    return out;
}

TEST(CharGroup, SpecifiersParseToGroups)
{
    struct Case {
        const char* text;
        const char* dump;
    } cases[] = {
        {"a", "[a]"},
        {"a-z", "[a-z]"},
        {"[a-cx]", "[a-cx]"},
        {"[^\"]", "[^\"]"},
        {"*/", "[*] [/]"},
        {"[-][-]>", "[-] [-] [>]"},
        {"[]a]", "[]a]"},
        {"[a-]", "[-a]"},
        {"[", "[[]"},              // an unclosed class is the bracket itself
        {"[^", "[[] [^]"},
        {"-", "[-]"},
        {"ab-", "[a] [b] [-]"},
        {"", ""},
        {"[\x01-\x02]", "[\\x01\\x02]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.dump, dumpAll(c.text)) << c.text;
}

TEST(CharGroup, DescendingRangeIsRefused)
{
    for (const char* text : {"z-a", "[z-a]", "[ab9-0]"}) {
        EXPECT_EQ("Characters not in correct order for range specifier",
                  test::thrownMessage<SpecifierError>([&] { TCM_CharGroup::parseSpecifiers(text); }));
    }
}

TEST(CharGroup, NegationAppliesToContains)
{
    TCM_CharGroup g = TCM_CharGroup::parseSpecifiers("[^a-c]").front();
    EXPECT_FALSE(g.contains('b'));
    EXPECT_TRUE(g.contains('d'));
    EXPECT_TRUE(g.contains(0));
    EXPECT_TRUE(TCM_CharGroup::parseSpecifiers("a-c").front().isRange());
    EXPECT_FALSE(TCM_CharGroup::parseSpecifiers("[a-c]").front().isRange());
}

TEST(CharGroup, ManagerKeepsEachGroupOnceWithEmptyGroupFirst)
{
    TCM_CharGroupManager m;
    EXPECT_TRUE(m.at(0).isEmpty());
    auto a = TCM_CharGroup::parseSpecifiers("[ab]").front();
    auto b = TCM_CharGroup::parseSpecifiers("[ba]").front();
    EXPECT_EQ(m.intern(a), m.intern(b));
    EXPECT_EQ(2u, m.size());
}

}  // namespace
}  // namespace quarry
