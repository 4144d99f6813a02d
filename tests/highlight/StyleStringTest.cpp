// The registry's style string: exact layout, round trip, fields in any order, strings cut short,
// unknown tags, refused markers and versions, and damaged values that never crash.
#include "text/ECodeMemo.h"
#include "highlight/LanguageSettings.h"
#include "highlight/StyleString.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace quarry {
namespace {

// Settings that differ from the defaults in every field the string carries.
LanguageSettings edited()
{
    LanguageSettings s;
    s.options = 0x3FFDBF0 ^ 1024;
    s.gutter = 51;
    s.gutterColor = 0x00C0FFEE;
    s.wrapAtColumn = 72;
    s.indentStep = 3;
    s.wrapOverride = "#|:";  // a "#" inside a value must not end the field
    s.fontName = "Lucida Console";
    s.fontSize = 13;
    s.selTextColor = 0x00112233;
    s.selTextBack = uint32_t(clHighlight);  // a system colour is written negative
    s.tabColumnsText = "9 17 25";
    s.tabColumns = {9, 17, 25};
    s.tabDefault = 8;
    s.effects[3] = {1 | 4, 255, 0xFFFFFF, false, true, false, true};
    s.effects[200] = {2, 8388608, 65535, true, false, false, true};
    s.gutterColorDefault = false;
    s.marginColorDefault = false;
    s.selTextColorDefault = false;
    s.selTextBackDefault = true;
    s.fontCharset = 204;
    s.rightMargin = 100;
    s.gutterFontName = "Arial";
    s.gutterFontSize = 7;
    s.gutterFontColor = 128;
    s.gutterFontCharset = 0;
    s.gutterFontStyle = 1 | 2 | 8;
    return s;
}

// Every field the string carries, printed, so a failure shows what differs.
std::string carried(const LanguageSettings& s)
{
    std::string out = std::to_string(s.options) + " " + std::to_string(s.gutter) + " " +
                      std::to_string(s.gutterColor) + " " + std::to_string(s.wrapAtColumn) + " " +
                      std::to_string(s.indentStep) + " [" + s.wrapOverride + "] [" + s.fontName + "] " +
                      std::to_string(s.fontSize) + " " + std::to_string(s.selTextColor) + " " +
                      std::to_string(s.selTextBack) + " [" + s.tabColumnsText + "] " + std::to_string(s.tabDefault) +
                      " " + std::to_string(s.gutterColorDefault) + std::to_string(s.marginColorDefault) +
                      std::to_string(s.selTextColorDefault) + std::to_string(s.selTextBackDefault) + " " +
                      std::to_string(s.fontCharset) + " " + std::to_string(s.rightMargin) + " [" + s.gutterFontName +
                      "] " + std::to_string(s.gutterFontSize) + " " + std::to_string(s.gutterFontColor) + " " +
                      std::to_string(s.gutterFontCharset) + " " + std::to_string(s.gutterFontStyle) + " tabs";
    for (int c : s.tabColumns)
        out += " " + std::to_string(c);
    for (size_t i = 0; i < s.effects.size(); ++i) {
        const StyleEffect& e = s.effects[i];
        if (e.inUse)
            out += " e" + std::to_string(i) + ":" + std::to_string(e.fontStyle) + "," + std::to_string(e.foreground) +
                   "," + std::to_string(e.background) + "," + std::to_string(e.foregroundDefault) +
                   std::to_string(e.backgroundDefault);
    }
    return out;
}

// The string's fields as (tag, whole field text), in order, without the marker and the end.
std::vector<std::pair<std::string, std::string>> fieldsOf(const std::string& text)
{
    std::vector<std::pair<std::string, std::string>> fields;
    size_t pos = StyleString::kMarker.size();
    while (true) {
        const size_t hash = text.find('#', pos);
        const std::string tag = text.substr(pos, hash - pos);
        if (tag.empty())
            break;
        const size_t lengthEnd = text.find('#', hash + 1);
        const size_t length = std::stoul(text.substr(hash + 1, lengthEnd - hash - 1));
        const size_t end = lengthEnd + 1 + length;
        fields.emplace_back(tag, text.substr(pos, end - pos));
        pos = end;
    }
    return fields;
}

TEST(StyleString, DefaultSettingsWriteTheTaggedLayout)
{
    LanguageSettings s;
    EXPECT_EQ("Corvid6:OPT#8#67099632GWD#2#34GCL#9#-16777201WRC#1#0IDS#1#1WRO#3#>|:FON#11#Courier NewFOS#2#10"
              "STC#9#-16777202STB#9#-16777203TBC#0#TBD#1#4EFF#18#1,0,0,16777215,XY;GDF#1#1MDF#1#1SDF#1#1BDF#1#1"
              "FOC#1#1RMG#2#80LNN#13#MS Sans SerifLNS#1#8LNC#1#0LNT#1#1LNE#0##END#",
              StyleString::Write(s));
}

TEST(StyleString, RoundTripRestoresEveryCarriedSetting)
{
    const LanguageSettings original = edited();
    const std::string text = StyleString::Write(original);
    LanguageSettings read;
    StyleString::Read(text, read);
    EXPECT_EQ(carried(original), carried(read));
    EXPECT_EQ(text, StyleString::Write(read));
}

TEST(StyleString, FieldsInAnotherOrderReadTheSame)
{
    const LanguageSettings original = edited();
    const std::string text = StyleString::Write(original);
    auto fields = fieldsOf(text);
    std::mt19937 rng(11);
    for (int round = 0; round < 20; ++round) {
        std::shuffle(fields.begin(), fields.end(), rng);
        std::string shuffled(StyleString::kMarker);
        for (const auto& [tag, field] : fields)
            shuffled += field;
        shuffled += "#END#";
        LanguageSettings read;
        StyleString::Read(shuffled, read);
        EXPECT_EQ(carried(original), carried(read)) << shuffled;
    }
}

TEST(StyleString, AStringCutAfterFosAppliesTheFirstEightFields)
{
    const LanguageSettings original = edited();
    const std::string text = StyleString::Write(original);
    const size_t fos = text.find("FOS#");
    const size_t afterValue = text.find("STC#");
    struct Case {
        std::string cut;
        bool fontSizeApplied;
    } cases[] = {
        {text.substr(0, afterValue), true},       // cut after the FOS field
        {text.substr(0, fos + 3), false},         // cut right after the tag
        {text.substr(0, fos + 5), false},         // the length is there, the value is not
        {text.substr(0, afterValue - 1), false},  // the value is one character short
    };
    for (const Case& c : cases) {
        LanguageSettings read;
        StyleString::Read(c.cut, read);
        LanguageSettings expected;
        expected.options = original.options;
        expected.gutter = original.gutter;
        expected.gutterColor = original.gutterColor;
        expected.wrapAtColumn = original.wrapAtColumn;
        expected.indentStep = original.indentStep;
        expected.wrapOverride = original.wrapOverride;
        expected.fontName = original.fontName;
        if (c.fontSizeApplied)
            expected.fontSize = original.fontSize;
        EXPECT_EQ(carried(expected), carried(read)) << c.cut;
    }
}

TEST(StyleString, ReadingStopsAtAnUnknownTagOrABrokenFrame)
{
    const std::string head = "Corvid6:GWD#2#51";
    const std::string tail = "RMG#3#120";
    struct Case {
        std::string middle;
        int rightMargin;
    } cases[] = {
        {"", 120},
        {"XYZ#1#5", 80},   // an unknown tag
        {"FOS#2#", 80},     // a length longer than what is left swallows the rest
        {"FOS2#11", 80},    // "#" missing after the tag
        {"FOS#x#11", 80},   // no length
        {"FOS#2-11", 80},   // "#" missing after the length
        {"#END#", 80},      // the end mark: an empty tag
        {"FOS#2#ab", 120},  // a value that is no number is skipped, reading goes on
        {"FOS#1#0", 120},   // so is a font size of 0
        {"GDF#1#7", 120},   // and a flag other than 0 or 1
    };
    for (const Case& c : cases) {
        LanguageSettings read;
        StyleString::Read(head + c.middle + tail, read);
        EXPECT_EQ(51, read.gutter) << c.middle;
        EXPECT_EQ(c.rightMargin, read.rightMargin) << c.middle;
        EXPECT_EQ(10, read.fontSize) << c.middle;
        EXPECT_TRUE(read.gutterColorDefault) << c.middle;
    }
}

// Numbers outside their settings' ranges keep the held values; reading goes on after them.
TEST(StyleString, NumbersOutOfRangeKeepTheHeldValues)
{
    const char* const fields[] = {"GWD#3#200",  "WRC#10#2147483647", "IDS#2#21",  "FOS#10#1073741824",
                                  "TBD#1#0",    "FOC#3#256",         "RMG#2#-1",  "LNS#6#100000",
                                  "LNT#2#-1",   "GWD#2#-1",          "FOS#1#0",   "TBD#10#2147483647"};
    const LanguageSettings held = edited();
    for (const char* field : fields) {
        LanguageSettings read = held;
        StyleString::Read(std::string("Corvid6:") + field + "FON#6#Edited", read);
        LanguageSettings expected = held;
        expected.fontName = "Edited";
        EXPECT_EQ(carried(expected), carried(read)) << field;
    }
}

TEST(StyleString, BadMarkersAndOldVersionsAreRefused)
{
    struct Case {
        const char* text;
        bool accepted;
    } cases[] = {
        {"Corvid6:", true},  {"Corvid5:GWD#1#9", true}, {"Corvid9:", true}, {"Corvid5", true},
        {"Corvid1:", false}, {"Corvid4:GWD#1#9", false}, {"Corvid0:", false}, {"Corvid:", false},
        {"corvid6:", false}, {"Corvix6:", false},        {"", false},         {"Corvi", false},
    };
    for (const Case& c : cases) {
        LanguageSettings read;
        read.gutter = 40;
        try {
            StyleString::Read(c.text, read);
            EXPECT_TRUE(c.accepted) << c.text;
        } catch (const ECodeMemo& e) {
            EXPECT_FALSE(c.accepted) << c.text;
            EXPECT_STREQ("Invalid data in style string", e.what());
            EXPECT_EQ(40, read.gutter) << c.text;
        }
    }
}

TEST(StyleString, EffectsAreWrittenInStyleOrderWithTheirFlags)
{
    LanguageSettings s;
    s.effects[0] = {0, 0, 0xFFFFFF, true, true, false, true};
    s.effects[12] = {1 | 2 | 4 | 8, 255, 65280, false, false, false, true};
    s.effects[4] = {2, uint32_t(clWindowText), 16777215, true, false, true, true};
    s.effects[7] = {1, 1, 2, false, false, false, false};  // not in use: not written
    EXPECT_EQ("3,0,0,16777215,XY;4,-16777208,16777215,XI;12,255,65280,BIU;", StyleString::WriteEffects(s));
    for (StyleEffect& e : s.effects)
        e.inUse = false;
    EXPECT_EQ("0", StyleString::WriteEffects(s));
}

TEST(StyleString, AtMost255StylesAreListed)
{
    LanguageSettings s;
    for (StyleEffect& e : s.effects)
        e.inUse = true;
    const std::string eff = StyleString::WriteEffects(s);
    EXPECT_EQ("255,", eff.substr(0, 4));
    EXPECT_EQ(std::string::npos, eff.find(";255,"));
    EXPECT_NE(std::string::npos, eff.find(";254,"));
}

TEST(StyleString, EffectValuesApplyUpToTheFirstBadEntry)
{
    struct Case {
        const char* value;
        bool complete;
        const char* style5;  // fontStyle,fg,bg,fgDefault bgDefault after reading; "-" when untouched
        const char* style6;
    } cases[] = {
        {"2,5,1,2,B;6,3,4,XYU;", true, "1,1,2,00", "4,3,4,11"},
        {"1,5,-16777201,0,IX;", true, "2,4278190095,0,10", "-"},
        {"0", true, "-", "-"},
        {"0,", false, "-", "-"},
        {"2,5,1,2,B;", false, "1,1,2,00", "-"},    // fewer entries than counted
        {"2,5,1,2,B;6,3,4,Q;", false, "1,1,2,00", "-"},  // an unknown flag letter
        {"1,256,1,2,;", false, "-", "-"},          // a style out of range
        {"1,5,1,2,B", false, "-", "-"},            // an entry without its ";"
        {"1,5,1;", false, "-", "-"},
        {"1,5,99999999999,2,;", false, "-", "-"},  // a colour beyond 32 bits
        {"257,", false, "-", "-"},
        {"-1,", false, "-", "-"},
        {"", false, "-", "-"},
    };
    auto show = [](const LanguageSettings& s, int style) -> std::string {
        const StyleEffect& e = s.effects[size_t(style)];
        if (!e.inUse)
            return "-";
        return std::to_string(e.fontStyle) + "," + std::to_string(e.foreground) + "," + std::to_string(e.background) +
               "," + std::to_string(e.foregroundDefault) + std::to_string(e.backgroundDefault);
    };
    for (const Case& c : cases) {
        LanguageSettings s;
        EXPECT_EQ(c.complete, StyleString::ReadEffects(c.value, s)) << c.value;
        EXPECT_EQ(c.style5, show(s, 5)) << c.value;
        EXPECT_EQ(c.style6, show(s, 6)) << c.value;
    }
}

TEST(StyleString, StrikeOutOfAStyleSurvivesReadingItsEffect)
{
    LanguageSettings s;
    s.effects[9] = {8, 0, 0, true, true, false, true};
    ASSERT_TRUE(StyleString::ReadEffects("1,9,1,2,B;", s));
    EXPECT_EQ(1 | 8, s.effects[9].fontStyle);
}

TEST(StyleString, DamagedStringsNeverCrashAndOnlyRaiseTheStyleError)
{
    const std::string text = StyleString::Write(edited());
    std::mt19937 rng(5);
    for (int round = 0; round < 20000; ++round) {
        std::string damaged = text;
        const int changes = 1 + int(rng() % 4);
        for (int i = 0; i < changes; ++i) {
            const size_t at = rng() % damaged.size();
            switch (rng() % 3) {
                case 0: damaged[at] = char(rng()); break;
                case 1: damaged.erase(at, 1 + rng() % 8); break;
                default: damaged.insert(at, 1, "#0123456789,;-XYBIU"[rng() % 19]); break;
            }
            if (damaged.empty())
                damaged = "C";
        }
        LanguageSettings read;
        try {
            StyleString::Read(damaged, read);
        } catch (const ECodeMemo& e) {
            EXPECT_STREQ("Invalid data in style string", e.what());
        }
        EXPECT_GT(read.fontSize, 0);
        EXPECT_GT(read.tabDefault, 0);
    }
}

}  // namespace
}  // namespace quarry
