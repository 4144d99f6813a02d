#pragma once
// What the HTML and RTF writers need: the lines to write with their token values, and how token
// values look (map, effects, font, title, date).
#include "highlight/LanguageSettings.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace quarry {

// One line record: its characters (the trailing CR included when it ends a logical line) and one
// token value per character, or null when the line has not been scanned.
struct StyledLine {
    std::string_view text;
    const uint8_t* styles = nullptr;
};

class StyledLineSource {
public:
    virtual ~StyledLineSource() = default;
    // The next line of the range, false after the last.
    virtual bool next(StyledLine& line) = 0;
};

// Turns a colour as stored (blue-green-red, or a symbolic system colour) into blue-green-red.
using ColourResolver = std::function<uint32_t(uint32_t)>;
uint32_t defaultColourResolver(uint32_t colour);

struct ExportStyle {
    std::array<uint8_t, 256> map{};
    std::array<StyleEffect, 256> effects{};
    std::string fontName = "Courier New";
    int fontSize = 10;
    int fontCharset = 1;
    std::string title;
    std::string date;
    ColourResolver resolve = defaultColourResolver;

    static ExportStyle from(const LanguageSettings& settings);
    // From the editor's settings, which keep no in-use mark: an effect counts as in use when it
    // is effect 0 or a token value maps to it.
    static ExportStyle from(const TCM_Settings& settings);

    // The effect of a token value with default colours taken from effect 0, resolved.
    struct Look {
        uint8_t fontStyle;
        uint32_t foreground, background;
    };
    Look look(uint8_t tokenValue) const;
    Look defaultLook() const;
};

// Buffered output so that writers append cheaply and the stream sees large blocks.
class ExportBuffer final {
public:
    explicit ExportBuffer(std::ostream& out) : out_(out) { buffer_.reserve(kFlushAt + 4096); }
    ~ExportBuffer() { flush(); }
    ExportBuffer(const ExportBuffer&) = delete;  // owns unflushed output
    ExportBuffer& operator=(const ExportBuffer&) = delete;

    void put(char c)
    {
        buffer_.push_back(c);
        if (buffer_.size() >= kFlushAt)
            flush();
    }
    void put(std::string_view s)
    {
        buffer_.append(s);
        if (buffer_.size() >= kFlushAt)
            flush();
    }
    void flush()
    {
        out_.write(buffer_.data(), std::streamsize(buffer_.size()));
        buffer_.clear();
    }

private:
    static constexpr size_t kFlushAt = 1 << 16;
    std::ostream& out_;
    std::string buffer_;
};

}  // namespace quarry
