#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ThrownMessage.h"
#include "text/ECodeMemo.h"
#include "editorsettings/TCM_Settings.h"

namespace quarry {
namespace {

struct TabCase {
    std::int32_t tabDefault;
    const char* columns;
    std::int32_t column;
    std::int32_t next;
};

TEST(TabStops, NextStopFromExplicitColumnsThenTheDefaultWidth) {
    const std::vector<TabCase> cases = {
        {4, "", 0, 4},      {4, "", 3, 4},        {4, "", 4, 8},       {8, "", 9, 16},
        {4, "10 20", 3, 10}, {4, "10 20", 10, 20}, {4, "10 20", 20, 24}, {4, "10,20", 19, 20},
        {3, "5", 5, 6},     {1, "", 7, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.columns) + " @" + std::to_string(c.column));
        TCM_Settings settings;
        settings.SetTabDefault(c.tabDefault);
        settings.SetTabColumnsText(c.columns);
        EXPECT_EQ(c.next, settings.NextTabStop(c.column));
    }
}

TEST(TabStops, BadTabColumnTextsAreRefusedWithTheirMessage) {
    struct Case {
        std::string text;
        const char* message;
    };
    std::string tooMany;
    for (int i = 2; i <= 34; ++i) tooMany += std::to_string(i) + " ";
    const std::vector<Case> cases = {
        {"10 x", "Tab stop column value expected"},
        {"10 -4", "Tab stop column value expected"},
        {"12a", "Tab stop column value expected"},
        {"20 10", "Tab columns must be in order and unique"},
        {"10 10", "Tab columns must be in order and unique"},
        {"1 5", "Tab column must be > 1"},
        {"0", "Tab column must be > 1"},
        {tooMany, "Too many tab stops - maximum of 32"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TCM_Settings settings;
        settings.SetTabColumnsText("8 16");
        EXPECT_EQ(c.message, test::thrownMessage<ECodeMemo>([&] { settings.SetTabColumnsText(c.text); }));
        EXPECT_EQ("8 16", settings.TabColumnsText()) << "a refused text changes nothing";
    }
}

TEST(TabStops, ZeroDefaultWidthIsRefused) {
    TCM_Settings settings;
    EXPECT_EQ("=Illegal default tab stop value, must be > 0",
              test::thrownMessage<ECodeMemo>([&] { settings.SetTabDefault(0); }));
    EXPECT_EQ(4, settings.TabDefault());
}

TEST(TabStops, SettingsStartWithTheListedDefaults) {
    const TCM_Settings s;
    EXPECT_EQ("<Custom language>", s.name);
    EXPECT_EQ(0x3FFDBF0u, s.options);
    EXPECT_EQ(4, s.TabDefault());
    EXPECT_EQ(2, s.margin);
    EXPECT_EQ(0, s.wrapAtColumn);
    EXPECT_EQ(">|:", s.wrapOverride);
    EXPECT_EQ(34, s.gutter);
    EXPECT_EQ(1, s.indentStep);
    EXPECT_EQ(0xFFFFFF, s.marginColor);
    EXPECT_EQ(clBtnFace, s.gutterColor);
    EXPECT_EQ(clHighlightText, s.selTextColor);
    EXPECT_EQ(clHighlight, s.selTextBack);
    EXPECT_EQ(80, s.rightMargin);
    EXPECT_EQ("Courier New", s.font.name);
    EXPECT_EQ(10, s.font.size);
    EXPECT_EQ("", s.TabColumnsText());
    EXPECT_EQ(TKeyboardActionContoller::Default().BindingCount(), s.keys.BindingCount());
}

}  // namespace
}  // namespace quarry
