#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarry {

class TCM_Settings;

// The display form of one line segment: TABs expanded to their stops and control characters
// shown as "." or, with all characters shown, as themselves (painting draws those as their
// codes, so that a form feed and an escape can be told apart). Painting and printing
// draw from it; the two index arrays translate between display columns and the segment's
// characters.
struct TComposedLine {
    enum TKind : std::uint8_t { ckText = 0, ckControl = 1 };

    std::string text;                    // one byte per display column ("?" for a character beyond ASCII in UTF-8)
    std::u32string codes;                // UTF-8 only: code point per display column, 0 in a wide one's second
    std::vector<std::uint8_t> values;    // token value per display column
    std::vector<std::uint8_t> kinds;     // TKind per display column
    std::vector<std::int32_t> charOfColumn;  // segment character index per display column
    std::vector<std::int32_t> columnOfChar;  // first display column per byte (a sequence's bytes share it), plus the end
    std::int32_t contentLength = 0;      // characters of the segment without its CR
    bool endsLine = false;               // the segment ends with CR
    bool utf8 = false;

    std::int32_t Columns() const { return static_cast<std::int32_t>(text.size()); }
};

class TLineComposer final {
public:
    // Shown for a TAB (at its first column; the rest of its width is blank) and for the line end.
    static constexpr char kTabMark = static_cast<char>(0xBB);   // right-pointing double angle
    static constexpr char kLineEndMark = static_cast<char>(0xB6);  // pilcrow
    // A control character when not all characters are shown (the stored byte stays as it was).
    static constexpr char kControlDot = '.';
    // No composition grows past this many columns, whatever the tab widths: a line of 2,047 TABs
    // at a tab width of a thousand must not ask for two million cells.
    static constexpr std::int32_t kMaxColumns = 1 << 16;

    // segment: the record's characters (with its CR when it ends a logical line); values: one token
    // value per character or null. Composition stops after columnLimit columns. In UTF-8 a
    // sequence is one character (two cells when wide) and a byte that is no character shows as
    // the replacement character in the control colour.
    static void Compose(std::string_view segment, const std::uint8_t* values, const TCM_Settings& settings,
                        bool showAllChars, TComposedLine& out, std::int32_t columnLimit = kMaxColumns,
                        bool utf8 = false);
    // The byte index of the character start after `index` (the segment's end at most).
    static std::int32_t NextCharIndex(const TComposedLine& line, std::int32_t index);
};

}  // namespace quarry
