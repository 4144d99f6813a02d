// The stored "Parser" property: its compressed layout, and a stored form of another version
// raised while loading, or reported through OnParserVersionError or a warning box at run time;
// who shows the options dialog.
#include "support/ThrownMessage.h"
#include "highlight/HighlightTestUtil.h"
#include "highlight/TOptionsDialogPresenter.h"
#include "compress/TCompressor.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace quarry {
namespace {

const char* const kScript = "%%language name = 'Demo' %%tokens 3 '[a-z]' '[a-z]' '[^a-z]' _discard_";

uint32_t u32At(const std::string& s, size_t at)
{
    return uint8_t(s[at]) | uint32_t(uint8_t(s[at + 1])) << 8 | uint32_t(uint8_t(s[at + 2])) << 16 |
           uint32_t(uint8_t(s[at + 3])) << 24;
}

std::string withVersion(std::string property, unsigned version)
{
    property[0] = char(version & 0xFF);
    property[1] = char(version >> 8);
    return property;
}

TEST(ParserProperty, HoldsVersionSizeAndTheKhCompressedForm)
{
    auto parser = test::compiled(kScript);
    const std::string property = parser->parserProperty();
    const std::string form = parser->compiledForm();
    EXPECT_EQ(51, uint8_t(property[0]) | uint8_t(property[1]) << 8);
    EXPECT_EQ(form.size(), u32At(property, 2));
    EXPECT_EQ("WRZL", property.substr(6, 4));
    EXPECT_EQ(form, TCompressor::DecompressBytes(std::string_view(property).substr(6)));
    EXPECT_LT(property.size(), form.size());
}

TEST(ParserProperty, DamagedCompressedDataIsRefused)
{
    const std::string property = test::compiled(kScript)->parserProperty();
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"short", property.substr(0, 5)},
        {"no compressed data", property.substr(0, 6)},
        {"bad magic", [&] { auto p = property; p[6] = 'X'; return p; }()},
        {"cut", property.substr(0, property.size() - 3)},
        {"size field lies", [&] { auto p = property; p[2] = char(p[2] + 1); return p; }()},
    };
    for (const Case& c : cases) {
        TCodeMemoParser parser;
        EXPECT_EQ("Compiled parser data is damaged",
                  test::thrownMessage<ECodeMemoParserError>([&] { parser.loadParserProperty(c.bytes); }))
            << c.what;
        EXPECT_EQ("0:a 0:b", test::tokenDump(parser, "ab")) << c.what;
    }
}

TEST(ParserProperty, LoadingAnotherVersionRaisesTheThreeLineMessageNamingTheComponent)
{
    const std::string property = withVersion(test::compiled(kScript)->parserProperty(), 52);
    TCodeMemoParser parser;
    parser.componentName = "CppParser";
    EXPECT_EQ("CppParser: DFM file saved by different version of TCodeMemoParser.\n\r"
              "Recompile script to update DFM file.\n\r"
              "Expected version was 51 read version was 52",
              test::thrownMessage<ECodeMemoParserError>([&] { parser.loadParserProperty(property); }));
}

TEST(ParserProperty, AssigningAnotherVersionCallsTheEventWithReadAndExpected)
{
    const std::string property = withVersion(test::compiled(kScript)->parserProperty(), 700);
    auto parser = test::compiled(kScript);
    std::vector<std::pair<int, int>> calls;
    parser->OnParserVersionError = [&](TCodeMemoParser& sender, std::uint16_t read, std::uint16_t expected) {
        EXPECT_EQ(parser.get(), &sender);
        calls.emplace_back(read, expected);
    };
    test::ScriptedUserInterface ui;
    EXPECT_FALSE(parser->assignParserProperty(property, ui));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{700, 51}}), calls);
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ("3:ab", test::tokenDump(*parser, "ab")) << "the parser keeps its tables";
}

TEST(ParserProperty, AssigningAnotherVersionWithoutTheEventShowsAWarning)
{
    const std::string property = withVersion(test::compiled(kScript)->parserProperty(), 50);
    TCodeMemoParser parser;
    parser.componentName = "PascalParser";
    test::ScriptedUserInterface ui;
    EXPECT_FALSE(parser.assignParserProperty(property, ui));
    EXPECT_EQ((std::vector<test::RecordedBox>{{MessageKind::Warning,
                                                "PascalParser: DFM file saved by different version of "
                                                "TCodeMemoParser.\n\rRecompile script to update DFM file.\n\r"
                                                "Expected version was 51 read version was 50",
                                                MessageButtons::Ok}}),
              ui.boxes());
}

TEST(ParserProperty, AssigningTheRightVersionLoadsIt)
{
    const std::string property = test::compiled(kScript)->parserProperty();
    TCodeMemoParser parser;
    test::ScriptedUserInterface ui;
    EXPECT_TRUE(parser.assignParserProperty(property, ui));
    EXPECT_EQ("3:ab 0:+", test::tokenDump(parser, "ab+"));
}

struct PresenterSpy final : TOptionsDialogPresenter {
    bool answer = true;
    std::vector<std::uint32_t> pages;
    bool Execute(TCodeMemoParser&, std::uint32_t mask) override
    {
        pages.push_back(mask);
        return answer;
    }
};

// The event replaces the dialog for its parser; otherwise the presenter the forms installed
// shows it; with neither nothing is shown and the answer is false.
TEST(ParserProperty, OptionsDialogGoesToTheEventElseToThePresenter)
{
    auto parser = test::compiled(kScript);
    ASSERT_EQ(nullptr, TOptionsDialogPresenter::Current());
    EXPECT_FALSE(parser->ExecuteOptionsDialog(7));

    PresenterSpy presenter;
    TOptionsDialogPresenter::SetCurrent(&presenter);
    EXPECT_TRUE(parser->ExecuteOptionsDialog(7));
    presenter.answer = false;
    EXPECT_FALSE(parser->ExecuteOptionsDialog(24));

    std::uint32_t eventPages = 0;
    parser->OnOptionsDialog = [&](TCodeMemoParser&, std::uint32_t mask) { return eventPages = mask, true; };
    EXPECT_TRUE(parser->ExecuteOptionsDialog(3));
    TOptionsDialogPresenter::SetCurrent(nullptr);

    EXPECT_EQ(3u, eventPages);
    EXPECT_EQ((std::vector<std::uint32_t>{7, 24}), presenter.pages);
}

}  // namespace
}  // namespace quarry
