// Trigger keys of the auto-replace list: the US-layout key of each character, the trigger-text
// notation, and which pressed keys count as triggers.
#include "editor/KeyScan.h"
#include "editor/TAutoReplace.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

TEST(TriggerKeys, CharactersMapToTheirUsLayoutKeys)
{
    struct Case {
        char c;
        int scan;
    } cases[] = {
        {'a', 0x41},  {'z', 0x5A},  {'A', 0x141}, {'Q', 0x151}, {'0', 0x30},  {'9', 0x39},  {' ', 0x20},
        {';', 0xBA},  {':', 0x1BA}, {'=', 0xBB},  {'+', 0x1BB}, {',', 0xBC},  {'<', 0x1BC}, {'-', 0xBD},
        {'_', 0x1BD}, {'.', 0xBE},  {'>', 0x1BE}, {'/', 0xBF},  {'?', 0x1BF}, {'`', 0xC0},  {'~', 0x1C0},
        {'[', 0xDB},  {'{', 0x1DB}, {'\\', 0xDC}, {'|', 0x1DC}, {']', 0xDD},  {'}', 0x1DD}, {'\'', 0xDE},
        {'"', 0x1DE}, {')', 0x130}, {'!', 0x131}, {'@', 0x132}, {'#', 0x133}, {'$', 0x134}, {'%', 0x135},
        {'^', 0x136}, {'&', 0x137}, {'*', 0x138}, {'(', 0x139}, {'\r', 0x0D}, {'\t', 0x09}, {'\b', 0x08},
        {'\x1B', 0x1B}, {'\n', 0x20D}, {'\x01', 0x241}, {'\x1A', 0x25A},
        {'\0', -1},   {'\x7F', -1}, {'\xE9', -1}, {'\xFF', -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.scan, VkKeyScan(c.c)) << int(static_cast<unsigned char>(c.c));
}

TEST(TriggerKeys, TriggerTextNamesKeysOnce)
{
    struct Case {
        const char* text;
        std::vector<int> keys;
    } cases[] = {
        {";,:.=()[]\\{Return}\\{Tab}\\{Space}", {0xBA, 0xBC, 0x1BA, 0xBE, 0xBB, 0x139, 0x130, 0xDB, 0xDD, 13, 9, 32}},
        {"\\s", {32}},
        {"\\{Return}", {13}},
        {"\\{return}\\{RETURN}\\n\\r", {13}},
        {"\\t\\{Tab}", {9}},
        {"\\{F5}\\{PageDown}", {116, 34}},
        {"\\{Unknown}x", {0x58}},
        {"x\\{Return", {0x58}},    // no closing brace: no key
        {"\\(", {0x39}},            // after a backslash the key without Shift
        {"\\x\\X", {0x58}},
        {"\\\\", {0xDC}},
        {"a\\", {0x41, 0xDC}},      // a final lone backslash is the backslash key
        {"((((", {0x139}},
        {"Aa", {0x141, 0x41}},
        {"\xE9", {}},              // no key types it
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.keys, TAutoReplace::ParseTriggerText(c.text)) << c.text;
}

TEST(TriggerKeys, APressedKeyIsATriggerWithTheRightModifiers)
{
    TAutoReplace list;
    struct Case {
        std::uint16_t key;
        TShiftState shift;
        bool trigger;
    } cases[] = {
        {0xBA, 0, true},         // ;
        {0xBA, ssShift, true},   // :
        {0x39, ssShift, true},   // (
        {0x39, 0, false},        // 9
        {0xBA, ssCtrl, false},
        {13, 0, true},
        {13, ssShift, false},
        {32, 0, true},
        {9, 0, true},
        {0x41, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.trigger, list.IsTriggerKey(c.key, c.shift)) << c.key << "/" << int(c.shift);
    list.enabled = false;
    EXPECT_FALSE(list.IsTriggerKey(32, 0));
    list.enabled = true;
    list.SetTriggerText("");
    EXPECT_FALSE(list.IsTriggerKey(32, 0));
    list.SetTriggerText(std::string(1, '\n'));  // a line feed is typed with Ctrl+Return
    EXPECT_TRUE(list.IsTriggerKey(13, ssCtrl));
    EXPECT_FALSE(list.IsTriggerKey(13, 0));
}

}  // namespace
}  // namespace quarry
