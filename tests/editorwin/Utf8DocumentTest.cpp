// Files are opened as UTF-8 or Windows-1252 from their bytes, and saved with exactly the bytes
// nobody edited, whatever the bytes and whichever encoding the window reads them in.
#include "editor/FixedPitchHost.h"
#include "editor/TCustomCodeMemo.h"
#include "editorwin/EditorDocument.h"
#include "settings/EnvironmentSettings.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

constexpr auto kUtf8 = TextEncoding::Utf8;
constexpr auto kAnsi = TextEncoding::Windows1252;

const std::string kScripts = "// Gr\xC3\xBC\xC3\x9F" "e, \xCE\xB1\xCE\xB2\xCE\xB3, \xE4\xB8\xAD\xE6\x96\x87, \xF0\x9F\x98\x80\r\n"
                             "int x = 1; /* \xC2\xB0" "C \xC2\xB5s */\r\n";

// A UTF-8 text whose "€" straddles the loader's first 8,192-byte block.
std::string AcrossTheBlock()
{
    std::string text(8191, 'a');
    return text + "\xE2\x82\xAC" + "\xC3\xA4\n";
}

class Utf8Document : public ::testing::Test {
protected:
    std::unique_ptr<EditorDocument> Open(const std::string& path)
    {
        auto document = std::make_unique<EditorDocument>(memo, ui, settings, [] { return std::vector<std::string>{}; });
        document->SetFileName(path);
        EXPECT_TRUE(document->LoadFile(true));
        return document;
    }

    test::TempDir dir;
    test::ScriptedUserInterface ui;
    test::FixedPitchHost host;
    TCustomCodeMemo memo{host};
    EnvironmentSettings settings;
};

TEST_F(Utf8Document, OpensInTheEncodingItsBytesShowAndSavesThemUnchanged)
{
    const struct {
        const char* what;
        std::string bytes;
        TextEncoding encoding;
    } cases[] = {
        {"four scripts", kScripts, kUtf8},
        {"byte-order mark", "\xEF\xBB\xBFint \xC3\xA4;\n", kUtf8},
        {"byte-order mark alone", "\xEF\xBB\xBF", kUtf8},
        {"byte-order mark before ASCII", "\xEF\xBB\xBF" "abc\r\n", kUtf8},
        {"byte-order mark before damage", "\xEF\xBB\xBF\xE4\xFF\n", kUtf8},
        {"sequence across a load block", AcrossTheBlock(), kUtf8},
        {"plain ASCII", "int main;\n", kAnsi},
        {"Windows-1252 umlaut", "Gr\xFC\xDF" "e \xE4\r\n", kAnsi},
        {"cut at the end", "\xC3\xA4 \xE2\x82", kAnsi},
        {"cut at a block end", std::string(8190, 'a') + "\xE2\x82", kAnsi},
        {"overlong", "\xC3\xA4\xC0\xAF\n", kAnsi},
        {"surrogate", "\xC3\xA4\xED\xA0\x80\n", kAnsi},
        {"bytes F5 to FF", "\xC3\xA4\xF5\xF8\xFE\xFF\n", kAnsi},
        {"a lone continuation", "\xC3\xA4\x80\n", kAnsi},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto path = dir.write("f.c", c.bytes);
        auto document = Open(path);
        EXPECT_EQ(c.encoding, memo.Encoding());
        ASSERT_TRUE(document->SaveFile(path));
        EXPECT_EQ(c.bytes, test::TempDir::read(path));
        // Read the other way, the same bytes come back too.
        ASSERT_TRUE(document->ReopenInEncoding(c.encoding == kUtf8 ? kAnsi : kUtf8));
        ASSERT_TRUE(document->SaveFile(path));
        EXPECT_EQ(c.bytes, test::TempDir::read(path));
    }
}

TEST_F(Utf8Document, AnEditChangesOnlyTheBytesItTouches)
{
    const struct {
        const char* what;
        std::string bytes;
        EncodingChoice choice;
        std::string saved;  // after "!" is typed at the start of the text
    } cases[] = {
        {"Windows-1252 byte E4", "x \xE4 y\n", EncodingChoice::Auto, "!x \xE4 y\n"},
        {"damaged bytes in UTF-8", "\xEF\xBB\xBF\xC3\xA4 \xE2\x82 \xFF\n", EncodingChoice::Auto,
         "\xEF\xBB\xBF!\xC3\xA4 \xE2\x82 \xFF\n"},
        {"damage read as UTF-8 by choice", "\xC3\xA4 \xE2\x82\n", EncodingChoice::Utf8, "!\xC3\xA4 \xE2\x82\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto path = dir.write("f.c", c.bytes);
        auto document = std::make_unique<EditorDocument>(memo, ui, settings, [] { return std::vector<std::string>{}; });
        document->SetFileName(path);
        document->SetEncodingChoice(c.choice);
        ASSERT_TRUE(document->LoadFile(true));
        memo.SetSelStart(0);
        memo.KeyPress('!');
        ASSERT_TRUE(document->SaveFile(path));
        EXPECT_EQ(c.saved, test::TempDir::read(path));
    }
}

TEST_F(Utf8Document, TypedCharactersAreSavedInTheDocumentsEncoding)
{
    const struct {
        bool newFilesUtf8;
        std::string saved;
    } cases[] = {{true, "\xC3\xA4\xE2\x82\xAC"}, {false, "\xE4\x80"}};
    for (const auto& c : cases) {
        settings.editor.newFilesUtf8 = c.newFilesUtf8;
        memo.Clear();
        const auto path = (dir.path() / "new.c").string();
        auto document = std::make_unique<EditorDocument>(memo, ui, settings, [] { return std::vector<std::string>{}; });
        document->SetFileName(path);
        ASSERT_TRUE(document->LoadFile(true));
        memo.TypeCodePoint(U'\u00E4');
        memo.TypeCodePoint(U'\u20AC');
        ASSERT_TRUE(document->SaveFile(path));
        EXPECT_EQ(c.saved, test::TempDir::read(path));
        std::filesystem::remove(path);
    }
}

TEST_F(Utf8Document, ReopeningAModifiedWindowAsksFirst)
{
    const auto path = dir.write("f.c", kScripts);
    auto document = Open(path);
    memo.KeyPress('!');
    ui.answer(Answer::No);
    EXPECT_FALSE(document->ReopenInEncoding(kAnsi));
    EXPECT_EQ(kUtf8, memo.Encoding());
    EXPECT_TRUE(document->IsModified());
    ui.answer(Answer::Yes);
    EXPECT_TRUE(document->ReopenInEncoding(kAnsi));
    EXPECT_EQ(kAnsi, memo.Encoding());
    EXPECT_EQ(EncodingChoice::Windows1252, document->Encoding());
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(2u, ui.boxes().size());
}

TEST_F(Utf8Document, TheStatusColumnCountsCharacters)
{
    const auto path = dir.write("f.c", kScripts);
    auto document = Open(path);
    memo.SetSelStart(10);  // after "// Grüße" (two two-byte letters)
    EXPECT_EQ(9, document->CaretCharacterColumn());
    EXPECT_EQ(11, document->GetCaret().column);  // the byte column that compilers' messages use
}

}  // namespace
}  // namespace quarry
