// The display form of a line, the virtual-key table and the code page, as tables.
#include "editorsettings/TCM_Settings.h"
#include "editor/ui/TKeyMap.h"
#include "editor/ui/TLineComposer.h"
#include "editor/ui/Windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace quarry {
namespace {

struct ComposeCase {
    const char* name;
    std::string segment;
    int tabDefault;
    const char* tabColumns;
    bool showAll;
    std::string display;     // the marks shown as themselves (bytes 0xBB, 0xB6)
    std::string columnDump;  // first display column of every character and of the end
};

std::string Dump(const std::vector<std::int32_t>& columns)
{
    std::string out;
    for (std::int32_t c : columns)
        out += (out.empty() ? "" : " ") + std::to_string(c);
    return out;
}

class Compose : public ::testing::TestWithParam<ComposeCase> {};

TEST_P(Compose, ExpandsTabsAndShowsControls)
{
    const ComposeCase& c = GetParam();
    TCM_Settings settings;
    settings.SetTabDefault(c.tabDefault);
    settings.SetTabColumnsText(c.tabColumns);
    TComposedLine line;
    TLineComposer::Compose(c.segment, nullptr, settings, c.showAll, line);
    EXPECT_EQ(c.display, line.text);
    EXPECT_EQ(c.columnDump, Dump(line.columnOfChar));
    // Every display column names the character it shows, and back.
    ASSERT_EQ(line.text.size(), line.charOfColumn.size());
    for (std::int32_t i = 0; i < line.contentLength; ++i)
        EXPECT_EQ(i, line.charOfColumn[static_cast<size_t>(line.columnOfChar[static_cast<size_t>(i)])]) << i;
}

const std::string kTab = "\xBB";
const std::string kEnd = "\xB6";

INSTANTIATE_TEST_SUITE_P(
    Lines, Compose,
    ::testing::Values(
        ComposeCase{"PlainText", "abc", 4, "", false, "abc", "0 1 2 3"},
        ComposeCase{"TabToTheNextStop", "a\tb", 4, "", false, "a   b", "0 1 4 5"},
        ComposeCase{"TabOnAStopTakesAWholeWidth", "abcd\tx", 4, "", false, "abcd    x", "0 1 2 3 4 8 9"},
        ComposeCase{"TwoTabs", "\t\tx", 4, "", false, "        x", "0 4 8 9"},
        ComposeCase{"ExplicitStopsFirst", "ab\tc\td\te", 4, "10 20", false,
                    "ab        c         d   e", "0 1 2 10 11 20 21 24 25"},
        ComposeCase{"LineEndIsNotShownByDefault", "ab\r", 4, "", false, "ab", "0 1 2"},
        ComposeCase{"ShowAllMarksTabsAndTheLineEnd", "a\tb\r", 4, "", true, "a" + kTab + "  b" + kEnd, "0 1 4 5"},
        ComposeCase{"ShowAllKeepsOtherControls", std::string("a\x01\0\x1b", 4), 4, "", true, std::string("a\x01\0\x1b", 4), "0 1 2 3 4"},
        ComposeCase{"ControlsAreDotsOtherwise", std::string("a\x01\0\x0c", 4), 4, "", false, "a...", "0 1 2 3 4"},
        ComposeCase{"HighBytesStay", "\x80\xFF", 4, "", false, "\x80\xFF", "0 1 2"},
        ComposeCase{"EmptyLine", "\r", 4, "", true, kEnd, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComposeLimits, HugeTabWidthsStopAtTheColumnLimit)
{
    TCM_Settings settings;
    settings.SetTabDefault(1000);
    const std::string tabs(2047, '\t');
    TComposedLine line;
    TLineComposer::Compose(tabs, nullptr, settings, false, line);
    EXPECT_EQ(TLineComposer::kMaxColumns, line.Columns());
    // Characters past the limit all report the limit.
    EXPECT_EQ(TLineComposer::kMaxColumns, line.columnOfChar.back());
    TLineComposer::Compose(tabs, nullptr, settings, false, line, 2500);
    EXPECT_EQ(2500, line.Columns());
    EXPECT_EQ(2000, line.columnOfChar[2]);
}

TEST(ComposeLimits, ValuesFollowTheirCharactersOverTabExpansion)
{
    TCM_Settings settings;
    const std::uint8_t values[] = {3, 4, 5, 6};
    TComposedLine line;
    TLineComposer::Compose("a\tb\r", values, settings, true, line);
    EXPECT_EQ((std::vector<std::uint8_t>{3, 4, 4, 4, 5, 6}), line.values);
    EXPECT_EQ((std::vector<std::uint8_t>{0, 1, 0, 0, 0, 1}), line.kinds);
}

struct KeyCase {
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    std::uint16_t vk;
    TShiftState shift;
};

class VirtualKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKeys, MapToTheStoredNumbering)
{
    const KeyCase& c = GetParam();
    EXPECT_EQ(c.vk, TKeyMap::VirtualKey(c.qtKey, c.modifiers));
    EXPECT_EQ(c.shift, TKeyMap::Shift(c.modifiers));
}

const Qt::KeyboardModifiers kNone = Qt::NoModifier;
const Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
const Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
const Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, VirtualKeys,
    ::testing::Values(
        KeyCase{"Letter", Qt::Key_K, kCtrl, 'K', ssCtrl}, KeyCase{"Digit", Qt::Key_7, kNone, '7', 0},
        KeyCase{"ShiftedDigitIsItsKey", Qt::Key_Exclam, kShift, '1', ssShift},
        KeyCase{"ShiftedParenthesis", Qt::Key_ParenRight, kShift, '0', ssShift},
        KeyCase{"F1", Qt::Key_F1, kNone, 112, 0}, KeyCase{"F12", Qt::Key_F12, kNone, 123, 0},
        KeyCase{"Left", Qt::Key_Left, kShift, 37, ssShift}, KeyCase{"Down", Qt::Key_Down, kNone, 40, 0},
        KeyCase{"PageUp", Qt::Key_PageUp, kNone, 33, 0}, KeyCase{"Home", Qt::Key_Home, kNone, 36, 0},
        KeyCase{"Insert", Qt::Key_Insert, kNone, 45, 0}, KeyCase{"Delete", Qt::Key_Delete, kCtrl, 46, ssCtrl},
        KeyCase{"Backspace", Qt::Key_Backspace, kNone, 8, 0}, KeyCase{"Tab", Qt::Key_Tab, kNone, 9, 0},
        KeyCase{"Backtab", Qt::Key_Backtab, kShift, 9, ssShift}, KeyCase{"Return", Qt::Key_Return, kNone, 13, 0},
        KeyCase{"Enter", Qt::Key_Enter, kPad, 13, 0}, KeyCase{"Escape", Qt::Key_Escape, kNone, 27, 0},
        KeyCase{"Space", Qt::Key_Space, kNone, 32, 0}, KeyCase{"Semicolon", Qt::Key_Semicolon, kNone, 0xBA, 0},
        KeyCase{"Colon", Qt::Key_Colon, kShift, 0xBA, ssShift}, KeyCase{"Comma", Qt::Key_Comma, kNone, 0xBC, 0},
        KeyCase{"Minus", Qt::Key_Minus, kNone, 0xBD, 0}, KeyCase{"Slash", Qt::Key_Slash, kNone, 0xBF, 0},
        KeyCase{"BracketLeft", Qt::Key_BracketLeft, kNone, 0xDB, 0},
        KeyCase{"Apostrophe", Qt::Key_Apostrophe, kNone, 0xDE, 0},
        KeyCase{"KeypadDigit", Qt::Key_5, kPad, 0x65, 0}, KeyCase{"KeypadPlus", Qt::Key_Plus, kPad, 0x6B, 0},
        KeyCase{"KeypadSlash", Qt::Key_Slash, kPad, 0x6F, 0},
        KeyCase{"AltShift", Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier, 'X', ssAlt | ssShift},
        KeyCase{"NoCode", Qt::Key_VolumeUp, kNone, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct CodePageCase {
    char16_t unicode;
    int byte;  // -1: none
};

class CodePage : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(CodePage, MapsBothWays)
{
    const CodePageCase& c = GetParam();
    unsigned char byte = 0;
    EXPECT_EQ(c.byte >= 0, Windows1252::FromUnicode(QChar(c.unicode), byte));
    if (c.byte >= 0) {
        EXPECT_EQ(c.byte, byte);
        EXPECT_EQ(c.unicode, Windows1252::ToUnicode(byte).unicode());
    }
}

INSTANTIATE_TEST_SUITE_P(Characters, CodePage,
                         ::testing::Values(CodePageCase{u'A', 0x41}, CodePageCase{u'\u20AC', 0x80},
                                           CodePageCase{u'\u201A', 0x82}, CodePageCase{u'\u0081', 0x81},
                                           CodePageCase{u'\u0178', 0x9F}, CodePageCase{u'\u00A0', 0xA0},
                                           CodePageCase{u'\u00E9', 0xE9}, CodePageCase{u'\u00FF', 0xFF},
                                           CodePageCase{u'\u0100', -1}, CodePageCase{u'\u0080', -1},
                                           CodePageCase{u'\u2603', -1}));

TEST(CodePageText, UnmappableCharactersBecomeQuestionMarksOncePerCharacter)
{
    EXPECT_EQ("a?b?\x80", Windows1252::FromUnicode(QString::fromUtf8("a\u2603b\U0001F600\u20AC")));
    EXPECT_EQ(QStringLiteral("\u20ACx\u00E9"), Windows1252::ToUnicode(std::string_view("\x80x\xE9")));
}

}  // namespace
}  // namespace quarry
