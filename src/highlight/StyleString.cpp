#include "highlight/StyleString.h"

#include <cctype>
#include <cstdint>
#include <limits>
#include <optional>

#include "text/ECodeMemo.h"
#include "editorsettings/SettingRange.h"
#include "highlight/LanguageSettings.h"

namespace quarry {

namespace {

constexpr const char* kInvalid = "Invalid data in style string";
// Eleven digits hold every 32-bit value, signed or not; longer numbers are not ours.
constexpr size_t kMaxDigits = 11;

// A decimal number with an optional minus sign, nothing else around it.
std::optional<std::int64_t> parseNumber(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > kMaxDigits)
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::optional<int> parseInt(std::string_view text)
{
    auto n = parseNumber(text);
    if (!n || *n < std::numeric_limits<int>::min() || *n > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*n);
}

// Colours and option words are 32-bit values written signed (system colours come out
// negative); either reading of the bits is accepted.
std::optional<std::uint32_t> bitsFrom(std::optional<std::int64_t> n)
{
    if (!n || *n < std::numeric_limits<std::int32_t>::min() || *n > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return std::uint32_t(*n);
}

std::optional<std::uint32_t> parseBits(std::string_view text) { return bitsFrom(parseNumber(text)); }

std::string bitsText(std::uint32_t v) { return std::to_string(std::int32_t(v)); }

// ---- one field per tag: how it is written and how a value is applied (false: not applied)

using Settings = LanguageSettings;

template <int Settings::*M>
std::string writeInt(const Settings& s) { return std::to_string(s.*M); }
// A value outside the setting's range keeps the one held.
template <int Settings::*M, const SettingRange* R>
bool readInRange(std::string_view v, Settings& s)
{
    auto n = parseInt(v);
    if (!n || !R->holds(*n))
        return false;
    s.*M = *n;
    return true;
}

template <std::uint32_t Settings::*M>
std::string writeBits(const Settings& s) { return bitsText(s.*M); }
template <std::uint32_t Settings::*M>
bool readBits(std::string_view v, Settings& s)
{
    auto n = parseBits(v);
    if (n)
        s.*M = *n;
    return n.has_value();
}

template <bool Settings::*M>
std::string writeFlag(const Settings& s) { return s.*M ? "1" : "0"; }
template <bool Settings::*M>
bool readFlag(std::string_view v, Settings& s)
{
    if (v != "0" && v != "1")
        return false;
    s.*M = v == "1";
    return true;
}

template <std::string Settings::*M>
std::string writeText(const Settings& s) { return s.*M; }
template <std::string Settings::*M>
bool readText(std::string_view v, Settings& s)
{
    s.*M = std::string(v);
    return true;
}

bool readTabColumns(std::string_view v, Settings& s)
{
    try {
        s.tabColumns = LanguageSettings::parseTabColumns(std::string(v));
    } catch (const std::runtime_error&) {
        return false;
    }
    s.tabColumnsText = std::string(v);
    return true;
}

// The gutter font style as letters: italic, bold, underline, strike-out, in that order.
constexpr struct {
    char letter;
    std::uint8_t bit;
} kStyleLetters[] = {{'I', 2}, {'B', 1}, {'U', 4}, {'S', 8}};

std::string writeFontStyle(const Settings& s)
{
    std::string letters;
    for (const auto& l : kStyleLetters)
        if (s.gutterFontStyle & l.bit)
            letters += l.letter;
    return letters;
}

bool readFontStyle(std::string_view v, Settings& s)
{
    std::uint8_t style = 0;
    for (char c : v) {
        bool known = false;
        for (const auto& l : kStyleLetters)
            if (c == l.letter) {
                style |= l.bit;
                known = true;
            }
        if (!known)
            return false;
    }
    s.gutterFontStyle = style;
    return true;
}

std::string writeEffects(const Settings& s) { return StyleString::WriteEffects(s); }
bool readEffects(std::string_view v, Settings& s) { return StyleString::ReadEffects(v, s); }

struct Field {
    const char* tag;
    std::string (*write)(const Settings&);
    bool (*read)(std::string_view, Settings&);
};

// In the order they are written.
constexpr Field kFields[] = {
    {"OPT", writeBits<&Settings::options>, readBits<&Settings::options>},
    {"GWD", writeInt<&Settings::gutter>, readInRange<&Settings::gutter, &kGutterRange>},
    {"GCL", writeBits<&Settings::gutterColor>, readBits<&Settings::gutterColor>},
    {"WRC", writeInt<&Settings::wrapAtColumn>, readInRange<&Settings::wrapAtColumn, &kColumnRange>},
    {"IDS", writeInt<&Settings::indentStep>, readInRange<&Settings::indentStep, &kIndentStepRange>},
    {"WRO", writeText<&Settings::wrapOverride>, readText<&Settings::wrapOverride>},
    {"FON", writeText<&Settings::fontName>, readText<&Settings::fontName>},
    {"FOS", writeInt<&Settings::fontSize>, readInRange<&Settings::fontSize, &kFontSizeRange>},
    {"STC", writeBits<&Settings::selTextColor>, readBits<&Settings::selTextColor>},
    {"STB", writeBits<&Settings::selTextBack>, readBits<&Settings::selTextBack>},
    {"TBC", writeText<&Settings::tabColumnsText>, readTabColumns},
    {"TBD", writeInt<&Settings::tabDefault>, readInRange<&Settings::tabDefault, &kTabDefaultRange>},
    {"EFF", writeEffects, readEffects},
    {"GDF", writeFlag<&Settings::gutterColorDefault>, readFlag<&Settings::gutterColorDefault>},
    {"MDF", writeFlag<&Settings::marginColorDefault>, readFlag<&Settings::marginColorDefault>},
    {"SDF", writeFlag<&Settings::selTextColorDefault>, readFlag<&Settings::selTextColorDefault>},
    {"BDF", writeFlag<&Settings::selTextBackDefault>, readFlag<&Settings::selTextBackDefault>},
    {"FOC", writeInt<&Settings::fontCharset>, readInRange<&Settings::fontCharset, &kCharSetRange>},
    {"RMG", writeInt<&Settings::rightMargin>, readInRange<&Settings::rightMargin, &kColumnRange>},
    {"LNN", writeText<&Settings::gutterFontName>, readText<&Settings::gutterFontName>},
    {"LNS", writeInt<&Settings::gutterFontSize>, readInRange<&Settings::gutterFontSize, &kFontSizeRange>},
    {"LNC", writeBits<&Settings::gutterFontColor>, readBits<&Settings::gutterFontColor>},
    {"LNT", writeInt<&Settings::gutterFontCharset>, readInRange<&Settings::gutterFontCharset, &kCharSetRange>},
    {"LNE", writeFontStyle, readFontStyle},
};

const Field* findField(std::string_view tag)
{
    for (const Field& f : kFields)
        if (tag == f.tag)
            return &f;
    return nullptr;
}

// A reader over one "EFF" value: numbers and separators in turn.
class EffectReader {
public:
    explicit EffectReader(std::string_view text) : text_(text) {}

    std::optional<std::int64_t> number()
    {
        size_t end = pos_;
        if (end < text_.size() && text_[end] == '-')
            ++end;
        while (end < text_.size() && std::isdigit(static_cast<unsigned char>(text_[end])))
            ++end;
        auto n = parseNumber(text_.substr(pos_, end - pos_));
        pos_ = end;
        return n;
    }
    bool expect(char c)
    {
        if (pos_ >= text_.size() || text_[pos_] != c)
            return false;
        ++pos_;
        return true;
    }
    // The flag letters of an entry up to its ";" (consumed); null when the entry has no end.
    std::optional<std::string_view> flags()
    {
        const size_t end = text_.find(';', pos_);
        if (end == std::string_view::npos)
            return std::nullopt;
        std::string_view letters = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return letters;
    }
    bool atEnd() const { return pos_ >= text_.size(); }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

bool applyEffectFlags(std::string_view letters, StyleEffect& e)
{
    bool fgDefault = false, bgDefault = false;
    std::uint8_t style = 0;
    for (char c : letters) {
        switch (c) {
            case 'X': fgDefault = true; break;
            case 'Y': bgDefault = true; break;
            case 'B': style |= 1; break;
            case 'I': style |= 2; break;
            case 'U': style |= 4; break;
            default: return false;
        }
    }
    e.foregroundDefault = fgDefault;
    e.backgroundDefault = bgDefault;
    // Strike-out is not part of the text form: a style keeps its own.
    e.fontStyle = std::uint8_t((e.fontStyle & ~7u) | style);
    return true;
}

}  // namespace

std::string StyleString::WriteEffects(const LanguageSettings& settings)
{
    std::string entries;
    int count = 0;
    for (size_t style = 0; style < settings.effects.size() && count < kMaxEffects; ++style) {
        const StyleEffect& e = settings.effects[style];
        if (!e.inUse)
            continue;
        ++count;
        entries += std::to_string(style) + "," + bitsText(e.foreground) + "," + bitsText(e.background) + ",";
        if (e.foregroundDefault)
            entries += 'X';
        if (e.backgroundDefault)
            entries += 'Y';
        if (e.fontStyle & 1)
            entries += 'B';
        if (e.fontStyle & 2)
            entries += 'I';
        if (e.fontStyle & 4)
            entries += 'U';
        entries += ';';
    }
    return count > 0 ? std::to_string(count) + "," + entries : "0";
}

bool StyleString::ReadEffects(std::string_view value, LanguageSettings& settings)
{
    EffectReader in(value);
    const auto count = in.number();
    if (!count || *count < 0 || *count > std::int64_t(settings.effects.size()))
        return false;
    if (*count == 0)
        return in.atEnd();
    if (!in.expect(','))
        return false;
    for (std::int64_t i = 0; i < *count; ++i) {
        const auto style = in.number();
        if (!style || *style < 0 || *style >= std::int64_t(settings.effects.size()) || !in.expect(','))
            return false;
        const auto fgBits = bitsFrom(in.number());
        if (!fgBits || !in.expect(','))
            return false;
        const auto bgBits = bitsFrom(in.number());
        if (!bgBits || !in.expect(','))
            return false;
        const auto letters = in.flags();
        if (!letters)
            return false;
        StyleEffect effect = settings.effects[size_t(*style)];
        if (!applyEffectFlags(*letters, effect))
            return false;
        effect.foreground = *fgBits;
        effect.background = *bgBits;
        effect.inUse = true;
        settings.effects[size_t(*style)] = effect;
    }
    return true;
}

std::string StyleString::Write(const LanguageSettings& settings)
{
    std::string out(kMarker);
    for (const Field& f : kFields) {
        const std::string value = f.write(settings);
        out += f.tag;
        out += '#';
        out += std::to_string(value.size());
        out += '#';
        out += value;
    }
    out += "#END#";
    return out;
}

void StyleString::Read(std::string_view text, LanguageSettings& settings)
{
    const std::string_view vendor = kMarker.substr(0, 6);
    if (text.size() < 7 || text.substr(0, 6) != vendor || text[6] < '1' || text[6] > '9')
        throw ECodeMemo(kInvalid);
    // Versions 1 to 4 had an untagged layout that nothing writes any more.
    if (text[6] <= '4')
        throw ECodeMemo(kInvalid);
    size_t pos = kMarker.size();
    auto isTagChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    while (pos < text.size()) {
        const size_t tagStart = pos;
        while (pos < text.size() && isTagChar(text[pos]))
            ++pos;
        const std::string_view tag = text.substr(tagStart, pos - tagStart);
        if (tag.empty() || pos >= text.size() || text[pos] != '#')
            return;
        const size_t lengthStart = ++pos;
        while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])))
            ++pos;
        const auto length = parseNumber(text.substr(lengthStart, pos - lengthStart));
        if (!length || pos >= text.size() || text[pos] != '#')
            return;
        ++pos;
        if (std::uint64_t(*length) > text.size() - pos)
            return;
        const std::string_view value = text.substr(pos, size_t(*length));
        pos += size_t(*length);
        const Field* field = findField(tag);
        if (!field)
            return;
        field->read(value, settings);
    }
}

}  // namespace quarry
