// Files of any bytes come back from an editor window as they were: opened and saved without an
// edit they are identical, and an edit changes only the bytes it touches. Line ends are the one
// thing a save may rewrite, so each file here keeps one style throughout.
#include "editor/FixedPitchHost.h"
#include "editor/TCustomCodeMemo.h"
#include "editorwin/EditorDocument.h"
#include "highlight/TCodeMemoParser.h"
#include "highlight/TParserRepository.h"
#include "settings/EnvironmentSettings.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace quarry {
namespace {

// The stored form of a file: each line end one CR.
std::string OnDisk(const std::string& stored, const std::string& lineEnd)
{
    std::string out;
    for (char c : stored)
        out += c == '\r' ? lineEnd : std::string(1, c);
    return out;
}

// Every byte value but the line-end bytes, which come only as whole line ends (stored as CR).
std::string RandomStored(std::mt19937& rng, std::size_t size)
{
    std::string out;
    while (out.size() < size) {
        const auto value = static_cast<unsigned>(rng() % 300);
        if (value >= 256)
            out += '\r';
        else if (value != '\r' && value != '\n')
            out += static_cast<char>(value);
    }
    return out;
}

bool IsTyped(unsigned char c) { return c >= 32 && c != 127; }

class ByteExactSave : public ::testing::Test {
protected:
    ByteExactSave() : repository(builtinParserImages())
    {
        for (int slot = 1; slot <= repository.Count(); ++slot)
            memo.SetParser(slot, &repository.Parser(slot - 1));
    }

    // A window on the file, loaded as the window loads it, with the parser of its name.
    std::unique_ptr<EditorDocument> Open(const std::string& path)
    {
        auto document = std::make_unique<EditorDocument>(memo, ui, settings, [] {
            return std::vector<std::string>{"*.asm", "*.pas", "*.c", "*.java", "*.html", "*.txt"};
        });
        document->SetFileName(path);
        EXPECT_TRUE(document->LoadFile(true));
        return document;
    }

    test::TempDir dir;
    test::ScriptedUserInterface ui;
    test::FixedPitchHost host;
    TCustomCodeMemo memo{host};
    EnvironmentSettings settings;
    TParserRepository repository;
};

TEST_F(ByteExactSave, RandomBytesSurviveOpeningEditingAndSaving)
{
    const std::string lineEnds[] = {"\r\n", "\n", "\r"};
    const char* names[] = {"f.asm", "f.pas", "f.c", "f.java", "f.html", "f.txt"};
    std::mt19937 rng(20240611);
    for (int round = 0; round < 36; ++round) {
        const std::string& lineEnd = lineEnds[round % 3];
        SCOPED_TRACE("round " + std::to_string(round));
        // Some files cross the loader's 8 KB blocks.
        std::string model = RandomStored(rng, 1 + rng() % (round % 4 == 3 ? 20000 : 3000));
        // The first line end decides the file's style: start with one.
        model.insert(0, 1, '\r');
        const auto path = dir.write(names[round % 6], OnDisk(model, lineEnd));
        auto document = Open(path);
        ASSERT_EQ(model, memo.Text());
        ASSERT_TRUE(document->SaveFile(path));
        ASSERT_EQ(OnDisk(model, lineEnd), test::TempDir::read(path)) << "saved without an edit";

        for (int edit = 0; edit < 12; ++edit) {
            const auto size = static_cast<Offset>(model.size());
            const Offset a = static_cast<Offset>(rng() % (size + 1));
            const Offset b = std::min<Offset>(size, a + static_cast<Offset>(rng() % 8));
            memo.SetSelection(a, b);
            if (rng() % 2) {
                // Pasted text keeps whatever bytes it holds.
                const std::string text = RandomStored(rng, rng() % 6);
                memo.ReplaceSelection(text);
                model.replace(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a), text);
            } else {
                // Typing refuses control characters.
                const auto c = static_cast<unsigned char>(rng() % 256);
                if (c == '\t' || c == '\r' || c == '\n')
                    continue;
                memo.KeyPress(static_cast<char>(c));
                if (IsTyped(c))
                    model.replace(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a), 1, static_cast<char>(c));
            }
            ASSERT_EQ(model, memo.Text()) << "edit " << edit;
        }
        ASSERT_TRUE(document->SaveFile(path));
        EXPECT_EQ(OnDisk(model, lineEnd), test::TempDir::read(path));
        Open(path);
        EXPECT_EQ(model, memo.Text()) << "read back";
    }
    EXPECT_TRUE(ui.boxes().empty());
}

}  // namespace
}  // namespace quarry
