// Seeded mutations of device descriptions: element texts swapped for hostile numbers and names,
// elements repeated, dropped and made to derive from one another, bytes changed. Whatever comes
// in, the importer either refuses it as no device description or writes register files that the
// register viewer reads without a single warning. Run under the sanitizers, this is the
// importer's fuzz test.
#include "regview/RegisterDescription.h"
#include "regview/SvdImport.h"
#include "regview/SvdResolver.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace quarry {
namespace {

const char* const kTexts[] = {"0",    "1",   "31",   "32",  "64",      "100000", "0xFFFFFFFF", "0xFFFFFFFFFFFFFFFF",
                              "#1x0", "-1",  "A-D",  "0-3", "A,B,C",   "%s",     "[%s]",       "[31:0]",
                              "[0:31]", "",  "CR",   "TIMER0", "TIMER0.CR", "read-only", "write", "true"};

std::size_t pick(std::mt19937& random, std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); }

// The text of a random element (between '>' and '<') replaced.
void replaceElementText(std::string& svd, std::mt19937& random)
{
    const auto open = svd.find('>', pick(random, svd.size()));
    const auto close = open == std::string::npos ? open : svd.find('<', open);
    if (close != std::string::npos)
        svd.replace(open + 1, close - open - 1, kTexts[pick(random, std::size(kTexts))]);
}

// A random line repeated, dropped or moved elsewhere.
void moveLine(std::string& svd, std::mt19937& random)
{
    const auto start = svd.rfind('\n', pick(random, svd.size()));
    const auto end = start == std::string::npos ? start : svd.find('\n', start + 1);
    if (end == std::string::npos)
        return;
    const std::string line = svd.substr(start, end - start);
    const auto mode = pick(random, 3);
    if (mode != 0)
        svd.erase(start, end - start);
    if (mode != 1)
        svd.insert(std::min(svd.size(), pick(random, svd.size())), line);
}

void deriveFrom(std::string& svd, std::mt19937& random)
{
    static const char* const kElements[] = {"<peripheral", "<register", "<field", "<enumeratedValues", "<cluster"};
    const std::string element = kElements[pick(random, std::size(kElements))];
    const auto at = svd.find(element + ">", pick(random, svd.size()));
    if (at != std::string::npos)
        svd.insert(at + element.size(), std::string(" derivedFrom=\"") + kTexts[pick(random, std::size(kTexts))] + "\"");
}

std::string mutate(std::string svd, std::mt19937& random)
{
    const int mutations = 1 + static_cast<int>(pick(random, 6));
    for (int i = 0; i < mutations && !svd.empty(); ++i) {
        switch (pick(random, 5)) {
        case 0:
        case 1: replaceElementText(svd, random); break;
        case 2: moveLine(svd, random); break;
        case 3: deriveFrom(svd, random); break;
        case 4: svd[pick(random, svd.size())] = static_cast<char>(pick(random, 256)); break;
        }
    }
    return svd;
}

TEST(SvdMutation, AnyDescriptionGivesFilesTheViewerReadsWithoutWarnings)
{
    const std::string seed = test::TempDir::read(std::string(QUARRY_SOURCE_DIR) + "/tests/regview/svd/ARMCM3xxx.svd");
    ASSERT_FALSE(seed.empty());
    std::mt19937 random(20250611);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        SvdImport import;
        if (!import.Open(mutate(seed, random))) {
            ASSERT_TRUE(import.Error().starts_with("not an SVD file: ")) << import.Error();
            continue;
        }
        for (std::size_t i = 0; i < import.Peripherals().size(); ++i) {
            const auto file = import.Convert(i);
            const auto read = RegisterDescription::Parse(file.text);
            ASSERT_TRUE(read.warnings.empty()) << read.warnings.front().text << "\n" << file.text;
            ASSERT_EQ(read.registers.size(), static_cast<std::size_t>(file.registers));
            ASSERT_LE(file.warnings.size(), SvdResolver::kMaxWarnings + 100);
        }
    }
}

}  // namespace
}  // namespace quarry
