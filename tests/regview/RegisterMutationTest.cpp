// Seeded mutations of real description files: whatever the bytes, the reader keeps every field
// inside its register and the table, and everything the window and the code line make of a
// register stays well formed. Run under the sanitizers, this is the reader's fuzz test.
#include "RegisterDump.h"

#include "regview/RegisterCode.h"
#include "regview/RegisterValue.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

namespace quarry {
namespace {

std::vector<std::string> shippedFiles()
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(QUARRY_DATA_DIR))
        if (entry.path().extension() == ".reg")
            files.push_back(test::TempDir::read(entry.path().string()));
    std::sort(files.begin(), files.end());
    return files;
}

std::string mutate(std::string text, std::mt19937& random)
{
    static constexpr char kInteresting[] = {'\0', '\r', '\n', ' ', '\t', 'N', 'B', 'R', 'W', 'X', 'V', '0', '9', 'F',
                                            '=', '\xFF'};
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    const int mutations = 1 + static_cast<int>(pick(8));
    for (int i = 0; i < mutations && !text.empty(); ++i) {
        const std::size_t at = pick(text.size());
        switch (pick(6)) {
        case 0: text[at] = kInteresting[pick(sizeof kInteresting)]; break;
        case 1: text[at] = static_cast<char>(pick(256)); break;
        case 2: text.insert(at, std::string(1 + pick(300), kInteresting[pick(sizeof kInteresting)])); break;
        case 3: text.erase(at, pick(64)); break;
        case 4: text.insert(at, text.substr(pick(text.size()), pick(400))); break;
        case 5: text.resize(at); break;
        }
    }
    return text;
}

void checkRegister(const RegisterDefinition& reg)
{
    ASSERT_GE(reg.fields.size(), 1u);
    ASSERT_LE(reg.fields.size(), RegisterDefinition::kMaxFields);
    ASSERT_LE(reg.line.size(), RegisterDefinition::kLineLength);
    RegisterValue value(reg);
    for (int i = 0; i < value.FieldCount(); ++i) {
        const auto& field = value.Field(i);
        ASSERT_LE(0, field.low);
        ASSERT_LE(field.low, field.high);
        ASSERT_LT(field.high, reg.Bits());
        ASSERT_LE(field.line.size(), BitField::kLineLength);
        const std::uint32_t before = value.FieldValue(i);
        const bool changed = value.StepField(i, -1);
        ASSERT_EQ(!field.ReadOnly(), changed);
        ASSERT_EQ(changed ? (before - 1) & field.WidthMask() : before, value.FieldValue(i));
        ASSERT_EQ(0u, value.Value() & ~reg.SizeMask());
        ASSERT_EQ(8u, fieldValueText(field, value.FieldValue(i)).size());
        ASSERT_LE(field.Meaning(value.FieldValue(i)).size(), BitField::kMeaningLength);
        const auto row = rowText(field, value.FieldValue(i));
        ASSERT_EQ(3, std::count(row.begin(), row.end(), '\t'));
    }
    const int bits = reg.Bits();
    const std::size_t decimal = bits == 8 ? 3 : bits == 16 ? 5 : 10;
    ASSERT_EQ(static_cast<std::size_t>(bits) + 3 + bits / 4 + 3 + decimal + 1, registerValueText(value.Value(), bits).size());
    const auto code = registerCodeText(reg, value.Value());
    ASSERT_TRUE(code.starts_with(reg.size == RegisterSize::CommentOnly ? " ;" : "$")) << code;
}

TEST(RegisterMutation, AnyBytesGiveRegistersTheWindowCanShow)
{
    const auto files = shippedFiles();
    ASSERT_GE(files.size(), 4u);
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        const auto text = mutate(files[static_cast<std::size_t>(round) % files.size()], random);
        const auto description = RegisterDescription::Parse(text);
        ASSERT_LE(description.title.size(), RegisterDescription::kTitleLength);
        int lastLine = 0;
        for (const auto& warning : description.warnings) {
            ASSERT_LE(lastLine, warning.line) << "round " << round;
            ASSERT_LT(warning.registerIndex, static_cast<int>(description.registers.size()));
            lastLine = warning.line;
        }
        for (const auto& reg : description.registers)
            checkRegister(reg);
        if (HasFatalFailure())
            FAIL() << "round " << round;
    }
}

// The same lines read the same whatever ends them.
TEST(RegisterMutation, LineEndsDoNotChangeWhatIsRead)
{
    std::mt19937 random(7);
    for (const auto& file : shippedFiles()) {
        std::string text = mutate(file, random);
        std::erase(text, '\r');
        const auto lf = test::dump(RegisterDescription::Parse(text));
        std::string crlf, cr = text;
        for (const char c : text)
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        std::replace(cr.begin(), cr.end(), '\n', '\r');
        EXPECT_EQ(lf, test::dump(RegisterDescription::Parse(crlf)));
        EXPECT_EQ(lf, test::dump(RegisterDescription::Parse(cr)));
    }
}

}  // namespace
}  // namespace quarry
