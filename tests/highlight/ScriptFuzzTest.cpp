// Deterministic mutations of the shipped scripts: every compile either succeeds or raises the
// parser error, and scanning with whatever compiled never leaves the text.
#include "highlight/HighlightTestUtil.h"

#include "highlight/BuiltinLanguages.h"
#include "highlight/CustomParseHandlers.h"
#include "highlight/TCM_Compiler.h"

#include <gtest/gtest.h>

#include <random>

namespace quarry {
namespace {

// A cursor that records any attempt to leave the text; the parser must never make one.
class StrictCursor final : public ScanCursor {
public:
    explicit StrictCursor(std::string_view text) : text_(text) {}
    unsigned char current() const override { return pos_ < size() ? (unsigned char)text_[size_t(pos_)] : 0; }
    ScanOffset position() const override { return pos_; }
    void seek(ScanOffset offset) override
    {
        if (offset < 0 || offset > size())
            ++violations;
        pos_ = std::clamp<ScanOffset>(offset, 0, size());
    }
    bool atEnd() const override { return pos_ >= size(); }
    void next() override
    {
        if (pos_ >= size())
            ++violations;
        else
            ++pos_;
    }
    void previous() override
    {
        if (pos_ <= 0)
            ++violations;
        else
            --pos_;
    }
    int violations = 0;

private:
    ScanOffset size() const { return ScanOffset(text_.size()); }
    std::string_view text_;
    ScanOffset pos_ = 0;
};

const char* const kInserts[] = {"%%language", "%%words", "%%handlers", "%%tokens", "%%map", "%%effects",
                                "%%states", "%%containers", "%%keys", "%%kwTables", "%%autoreplace", "%%templates",
                                "(", ")", "[", "]", "'", "'\\", "?", "match(1)", "InState 3 (", "push", "pop",
                                "#define X X\r", "#ifdef X\r", "#endif\r", "#include \"x\"", "255", "0", "-",
                                "+ [1]", "or", "=", ",", "|", "*", "'[^a]'", "'a-'", "__STD_C_STRING", "\r", "/*"};

std::string mutate(const std::string& script, std::mt19937& rng)
{
    std::string s = script;
    const int steps = 1 + int(rng() % 3);
    for (int i = 0; i < steps && !s.empty(); ++i) {
        const size_t at = rng() % s.size();
        switch (rng() % 5) {
        case 0: s[at] = char(rng()); break;
        case 1: s.erase(at, 1 + rng() % 40); break;
        case 2: s.insert(at, kInserts[rng() % std::size(kInserts)]); break;
        case 3: {
            const size_t from = rng() % s.size();
            s.insert(at, s.substr(from, 1 + rng() % 60));
            break;
        }
        default: {
            // Replace a digit run by another number, often out of range.
            const size_t digit = s.find_first_of("0123456789", at);
            if (digit != std::string::npos)
                s.replace(digit, 1, std::to_string(rng() % 2 ? rng() % 300 : rng()));
        }
        }
    }
    return s;
}

TEST(ScriptFuzz, MutatedScriptsCompileOrFailCleanlyAndScanInsideTheText)
{
    std::mt19937 rng(4);
    const std::string probe = normaliseEditorText(
        "/* c */ #define A \\\n 1\n<a href=\"x\">t</a><script>var x='1';</script><style>a{b:c}</style>\n"
        "begin { x } 'it''s' $FF %101 @7 0x1F 1.5e3 \"s\\\"\" // end\n\t\xe9\xff<!-- x --> <% y %>");
    int compiled = 0, refused = 0;
    for (const BuiltinLanguage& lang : builtinLanguages()) {
        const std::string script = loadScriptText(test::builtinScriptPath(lang.script));
        for (int round = 0; round < 500; ++round) {
            const std::string mutated = mutate(script, rng);
            TCodeMemoParser parser;
            parser.OnCustomParse = CppParserCustomParse;
            try {
                parser.compile(mutated, QUARRY_DATA_DIR "/highlight");
                ++compiled;
            } catch (const ECodeMemoParserError& e) {
                ++refused;
                ASSERT_EQ(0u, std::string(e.what()).find("** ERROR near line ")) << e.what();
            }
            // Whatever was read before a fault stays in the tables, so scan in both cases.
            StrictCursor cursor(probe);
            parser.resetState(0);
            ScanOffset covered = 0;
            try {
                while (!cursor.atEnd()) {
                    int length = 0;
                    const ScanOffset start = cursor.position();
                    parser.nextToken(cursor, length);
                    ASSERT_GT(cursor.position(), start) << lang.script << " round " << round;
                    ASSERT_EQ(cursor.position() - start, length);
                    covered += length;
                }
            } catch (const ECodeMemoParserError& e) {
                ASSERT_STREQ("Stack underflow", e.what());
                continue;
            }
            ASSERT_EQ(0, cursor.violations) << lang.script << " round " << round;
            ASSERT_EQ(ScanOffset(probe.size()), covered);
        }
    }
    // The mutations reach both outcomes, so neither path goes untested.
    EXPECT_LT(300, compiled);
    EXPECT_LT(300, refused);
}

}  // namespace
}  // namespace quarry
