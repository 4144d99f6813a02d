#pragma once
// A whole text scanned at once: the command-line tool, the golden tests and the benchmarks use
// it where the editor control would use its text store.
#include "highlight/TCodeMemoParser.h"

#include <string>
#include <string_view>
#include <vector>

namespace quarry {

// The editor's line-end rules: CR LF, LF CR and LF become CR; other control bytes but TAB
// become ".".
std::string normaliseEditorText(std::string_view raw);
void normaliseEditorTextInPlace(std::string& text);

struct TokenSpan {
    ScanOffset offset;
    int length;
    int value;
};

// Scans the text from its start in the parser's start state, handing each token to onToken.
template <class OnToken>
void scanText(TCodeMemoParser& parser, std::string_view text, OnToken&& onToken)
{
    BufferCursor cursor(text);
    parser.resetState(0);
    while (!cursor.atEnd()) {
        const ScanOffset start = cursor.position();
        int length = 0;
        const int value = parser.nextToken(cursor, length);
        if (cursor.position() <= start)
            cursor.seek(start + 1);  // never stall, whatever a custom handler did
        onToken(TokenSpan{start, int(cursor.position() - start), value});
    }
}

// One token value per character.
std::vector<uint8_t> scanStyles(TCodeMemoParser& parser, std::string_view text);

}  // namespace quarry
