#pragma once
// The walk the HTML and RTF writers share: each line record cut into runs of equal token value,
// the writer told each run's value before the run's characters go out escaped, and "\r\n" after
// every line record.
#include "export/ExportStyle.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quarry {

class StyledRunWriter final {
public:
    // A writer's escape for one character, appended to out.
    using EscapeFn = void (*)(unsigned char c, std::string& out);

    // Works out every character's escape once, so that the per-character work is one lookup.
    explicit StyledRunWriter(EscapeFn escape);

    // onRun(value) writes the codes that switch to a token value's look; it is not called for
    // lines that have not been scanned.
    template <typename OnRun>
    void write(ExportBuffer& out, StyledLineSource& lines, OnRun onRun) const;

    // Bold, italic and underline (bits 0 to 2) switched from `current` to `wanted`, each change
    // written as its on or off code; `current` follows.
    static void switchFontStyle(ExportBuffer& out, std::uint8_t wanted, std::uint8_t& current,
                                const char* const (&on)[3], const char* const (&off)[3]);

private:
    void putEscaped(ExportBuffer& out, std::string_view text) const;

    std::string escaped_[256];
    bool plain_[256];  // the character stands for itself
};

template <typename OnRun>
void StyledRunWriter::write(ExportBuffer& out, StyledLineSource& lines, OnRun onRun) const
{
    StyledLine line;
    while (lines.next(line)) {
        const size_t n = line.text.size();
        size_t i = 0;
        while (i < n) {
            size_t runEnd = n;
            if (line.styles) {
                const std::uint8_t value = line.styles[i];
                runEnd = i + 1;
                while (runEnd < n && line.styles[runEnd] == value)
                    ++runEnd;
                onRun(value);
            }
            putEscaped(out, line.text.substr(i, runEnd - i));
            i = runEnd;
        }
        out.put("\r\n");
    }
}

inline void StyledRunWriter::putEscaped(ExportBuffer& out, std::string_view text) const
{
    // Characters that stand for themselves go out in one piece.
    size_t i = 0;
    while (i < text.size()) {
        size_t plain = i;
        while (plain < text.size() && plain_[(unsigned char)text[plain]])
            ++plain;
        out.put(text.substr(i, plain - i));
        if (plain < text.size())
            out.put(escaped_[(unsigned char)text[plain++]]);
        i = plain;
    }
}

inline void StyledRunWriter::switchFontStyle(ExportBuffer& out, std::uint8_t wanted, std::uint8_t& current,
                                             const char* const (&on)[3], const char* const (&off)[3])
{
    for (int bit = 0; bit < 3; ++bit) {
        const bool want = wanted & (1u << bit);
        if (want != bool(current & (1u << bit))) {
            out.put(want ? on[bit] : off[bit]);
            current ^= std::uint8_t(1u << bit);
        }
    }
}

}  // namespace quarry
