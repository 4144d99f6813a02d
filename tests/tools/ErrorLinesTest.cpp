#include "tools/ErrorLineReader.h"
#include "tools/GccLineTest.h"
#include "tools/StatusColours.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace quarry {
namespace {

struct CorpusRow {
    int number;  // line of the corpus file
    std::string grammar;
    std::string line;
    std::string expected;
};

std::vector<CorpusRow> corpus()
{
    std::ifstream in(std::string(QUARRY_SOURCE_DIR) + "/tests/tools/data/error-lines.txt");
    std::vector<CorpusRow> rows;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (text.empty() || text.front() == '#')
            continue;
        const auto first = text.find('\t');
        const auto second = text.find('\t', first + 1);
        rows.push_back({number, text.substr(0, first), text.substr(first + 1, second - first - 1),
                        text.substr(second + 1)});
    }
    return rows;
}

std::string colourName(int colour)
{
    switch (colour) {
    case statuscolour::kNavy: return "navy";
    case statuscolour::kMaroon: return "maroon";
    case statuscolour::kBlack: return "black";
    default: return std::to_string(colour);
    }
}

std::string describe(const std::optional<ErrorEntry>& entry)
{
    if (!entry)
        return "-";
    if (entry->hasPlace())
        return "goto " + entry->file + " " + std::to_string(entry->line) + " | " + entry->message;
    return "status " + colourName(entry->colour) + " | " + entry->text;
}

std::string describeForList(const std::optional<ErrorEntry>& entry)
{
    if (!entry)
        return "-";
    static const std::map<ErrorEntry::Severity, std::string> names = {
        {ErrorEntry::Severity::Error, "error"}, {ErrorEntry::Severity::Warning, "warning"},
        {ErrorEntry::Severity::Note, "note"}};
    return names.at(entry->severity) + " " + entry->file + " " + std::to_string(entry->line) + " | " + entry->detail;
}

std::string read(const CorpusRow& row)
{
    if (row.grammar == "gcc-test") {
        const auto n = GccLineTest(row.line);
        return n ? std::to_string(*n) : "-";
    }
    static const std::map<std::string, ErrorGrammar> grammars = {
        {"talvik", ErrorGrammar::Talvik}, {"unknown", ErrorGrammar::Unknown},   {"bytecraft", ErrorGrammar::ByteCraft},
        {"gcc", ErrorGrammar::Gcc},       {"gcc-win", ErrorGrammar::Gcc},       {"gcc-list", ErrorGrammar::Gcc}};
    const auto style = row.grammar == "gcc-win" ? PathStyle::windows() : PathStyle::posix();
    const ErrorLineReader reader(grammars.at(row.grammar), style);
    return row.grammar == "gcc-list" ? describeForList(reader.ReadForList(row.line)) : describe(reader.Read(row.line));
}

TEST(ErrorLines, EveryGrammarReadsTheCorpusOfRealLinesAsExpected)
{
    const auto rows = corpus();
    ASSERT_GT(rows.size(), 60u);
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, read(row)) << "error-lines.txt:" << row.number << ": " << row.grammar << " " << row.line;
}

}  // namespace
}  // namespace quarry
