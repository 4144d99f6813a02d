// The stored parser property: version check, size check and damaged data never crash.
#include "support/ThrownMessage.h"
#include "highlight/HighlightTestUtil.h"

#include <gtest/gtest.h>

#include <random>

namespace quarry {
namespace {

const char* const kScript = "%%language name = 'Demo' anchor = [0, 3] contextstates = (3 [1])\r"
                            "%%words 'if' ' ' 12 %%handlers 12 '[a-z]' ? ' ' _discard_\r"
                            "%%tokens 3 '[a-z]'\rInState 1 ( 4 '0-9' )\r%%states 3 push ( + 1 ) 4 ( ) pop\r"
                            "%%map 3 3 %%effects 3 [fsBold] clRed clWhite *\r"
                            "%%kwTables forstate [1] endswith ' ' ( 9 is 'then' )";

TEST(CompiledForm, PropertyStartsWithVersionAndSize)
{
    auto parser = test::compiled(kScript);
    const std::string property = parser->parserProperty();
    ASSERT_GT(property.size(), 6u);
    EXPECT_EQ(51, uint8_t(property[0]) | uint8_t(property[1]) << 8);
    uint32_t size = uint8_t(property[2]) | uint8_t(property[3]) << 8 | uint8_t(property[4]) << 16 |
                    uint32_t(uint8_t(property[5])) << 24;
    EXPECT_EQ(parser->compiledForm().size(), size);
    TCodeMemoParser loaded;
    loaded.loadParserProperty(property);
    EXPECT_EQ(property, loaded.parserProperty());
    EXPECT_EQ("{0,3}", loaded.tables().anchor.dump());
    EXPECT_EQ("{1}", loaded.tables().contexts[3].dump());
}

TEST(CompiledForm, AnotherVersionIsRefusedWithThreeLines)
{
    auto parser = test::compiled(kScript);
    std::string property = parser->parserProperty();
    property[0] = 50;
    TCodeMemoParser loaded;
    EXPECT_EQ("<Custom language>: DFM file saved by different version of TCodeMemoParser.\n\r"
              "Recompile script to update DFM file.\n\r"
              "Expected version was 51 read version was 50",
              test::thrownMessage<ECodeMemoParserError>([&] { loaded.loadParserProperty(property); }));
}

TEST(CompiledForm, DamagedFormsRaiseAndLeaveAnEmptyParser)
{
    auto parser = test::compiled(kScript);
    const std::string form = parser->compiledForm();
    std::mt19937 rng(7);
    int refused = 0;
    for (int round = 0; round < 2000; ++round) {
        std::string damaged = form;
        if (round % 2)
            damaged.resize(1 + rng() % (form.size() - 1));
        for (int flips = 0; flips < 1 + int(rng() % 4); ++flips)
            damaged[rng() % damaged.size()] = char(rng());
        TCodeMemoParser loaded;
        try {
            loaded.loadCompiledForm(damaged);
        } catch (const ECodeMemoParserError&) {
            ++refused;
            EXPECT_EQ("0:a 0:b", test::tokenDump(loaded, "ab"));
            continue;
        }
        // A form that loads still scans any text without running off it; the only error a scan
        // may raise is the stack underflow of a pop without a push.
        try {
            test::tokenDump(loaded, "if then 12 ab\nx");
        } catch (const ECodeMemoParserError& e) {
            EXPECT_STREQ("Stack underflow", e.what());
        }
    }
    EXPECT_LT(0, refused);
}

}  // namespace
}  // namespace quarry
