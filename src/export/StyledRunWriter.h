#pragma once
// The walk the HTML and RTF writers share: each line record cut into runs of equal token value,
// the writer told each run's value before the run's characters go out escaped, and "\r\n" after
// every line record.
#include "export/ExportStyle.h"
#include "text/Utf8.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quarry {

class StyledRunWriter final {
public:
    // A writer's escape for one character, appended to out.
    using EscapeFn = void (*)(unsigned char c, std::string& out);
    // A writer's form of a UTF-8 character beyond ASCII: its code point and its bytes (empty for
    // a byte that is no character, whose code is then the replacement character).
    using CodeFn = void (*)(char32_t code, std::string_view bytes, std::string& out);

    // Works out every character's escape once, so that the per-character work is one lookup.
    explicit StyledRunWriter(EscapeFn escape, CodeFn code = nullptr);

    // onRun(value) writes the codes that switch to a token value's look; it is not called for
    // lines that have not been scanned. utf8: the text is UTF-8 and characters beyond ASCII go
    // out through the code function.
    template <typename OnRun>
    void write(ExportBuffer& out, StyledLineSource& lines, OnRun onRun, bool utf8 = false) const;

    // Bold, italic and underline (bits 0 to 2) switched from `current` to `wanted`, each change
    // written as its on or off code; `current` follows.
    static void switchFontStyle(ExportBuffer& out, std::uint8_t wanted, std::uint8_t& current,
                                const char* const (&on)[3], const char* const (&off)[3]);

private:
    void putEscaped(ExportBuffer& out, std::string_view text) const;
    void putUtf8(ExportBuffer& out, std::string_view text) const;

    CodeFn code_ = nullptr;
    std::string escaped_[256];
    bool plain_[256];  // the character stands for itself
};

template <typename OnRun>
void StyledRunWriter::write(ExportBuffer& out, StyledLineSource& lines, OnRun onRun, bool utf8) const
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
            if (utf8 && code_)
                putUtf8(out, line.text.substr(i, runEnd - i));
            else
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

inline void StyledRunWriter::putUtf8(ExportBuffer& out, std::string_view text) const
{
    std::string piece;
    size_t i = 0;
    while (i < text.size()) {
        size_t plain = i;
        while (plain < text.size() && (unsigned char)text[plain] < 0x80 && plain_[(unsigned char)text[plain]])
            ++plain;
        out.put(text.substr(i, plain - i));
        i = plain;
        if (i >= text.size())
            break;
        const auto c = (unsigned char)text[i];
        if (c < 0x80) {
            out.put(escaped_[c]);
            ++i;
            continue;
        }
        const Utf8::Decoded d = Utf8::Decode(text, i);
        piece.clear();
        code_(d.valid ? d.code : Utf8::kReplacement, d.valid ? text.substr(i, size_t(d.length)) : std::string_view(), piece);
        out.put(piece);
        i += size_t(d.length);
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
