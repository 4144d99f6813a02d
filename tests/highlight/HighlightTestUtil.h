#pragma once
// Helpers shared by the highlighting tests: compile a script, dump the tokens of a text.
#include "highlight/ScannedText.h"
#include "highlight/TCodeMemoParser.h"

#include <memory>
#include <string>

namespace quarry::test {

inline std::unique_ptr<TCodeMemoParser> compiled(const std::string& script)
{
    auto parser = std::make_unique<TCodeMemoParser>();
    parser->compile(script);
    return parser;
}

// The message a script fails with, or "" when it compiles.
inline std::string compileError(const std::string& script)
{
    TCodeMemoParser parser;
    try {
        parser.compile(script);
    } catch (const ECodeMemoParserError& e) {
        return e.what();
    }
    return {};
}

// "value:text value:text ...", line ends shown as "|". Text line ends are given as "\n".
inline std::string tokenDump(TCodeMemoParser& parser, const std::string& text)
{
    const std::string normal = normaliseEditorText(text);
    std::string out;
    scanText(parser, normal, [&](const TokenSpan& t) {
        if (!out.empty())
            out += ' ';
        std::string piece = normal.substr(size_t(t.offset), size_t(t.length));
        for (char& c : piece)
            if (c == '\r')
                c = '|';
        out += std::to_string(t.value) + ":" + piece;
    });
    return out;
}

inline std::string builtinScriptPath(const std::string& file)
{
    return std::string(QUARRY_DATA_DIR) + "/highlight/" + file;
}

}  // namespace quarry::test
