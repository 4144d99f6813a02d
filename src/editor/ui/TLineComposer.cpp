#include "editor/ui/TLineComposer.h"

#include <algorithm>

#include "editorsettings/TCM_Settings.h"
#include "text/Utf8.h"

namespace quarry {

namespace {
// A composed cell whose code is its byte.
constexpr char32_t kByteItself = 0xFFFFFFFF;
}  // namespace

void TLineComposer::Compose(std::string_view segment, const std::uint8_t* values, const TCM_Settings& settings,
                            bool showAllChars, TComposedLine& out, std::int32_t columnLimit, bool utf8) {
    columnLimit = std::clamp<std::int32_t>(columnLimit, 0, kMaxColumns);
    out.endsLine = !segment.empty() && segment.back() == '\r';
    out.contentLength = static_cast<std::int32_t>(segment.size()) - (out.endsLine ? 1 : 0);
    out.text.clear();
    out.values.clear();
    out.kinds.clear();
    out.charOfColumn.clear();
    out.codes.clear();
    out.utf8 = utf8;
    out.columnOfChar.assign(static_cast<std::size_t>(out.contentLength) + 1, 0);

    const auto put = [&](char c, std::uint8_t value, std::uint8_t kind, std::int32_t index, char32_t code = kByteItself) {
        if (utf8) out.codes += code == kByteItself ? static_cast<char32_t>(static_cast<unsigned char>(c)) : code;
        out.text += c;
        out.values.push_back(value);
        out.kinds.push_back(kind);
        out.charOfColumn.push_back(index);
    };
    std::int32_t column = 0;
    std::int32_t i = 0;
    for (; i < out.contentLength && column < columnLimit; ++i) {
        out.columnOfChar[static_cast<std::size_t>(i)] = column;
        const auto c = static_cast<unsigned char>(segment[static_cast<std::size_t>(i)]);
        const std::uint8_t value = values ? values[i] : 0;
        if (c == '\t') {
            const std::int32_t stop = std::min(std::max(settings.NextTabStop(column), column + 1), columnLimit);
            put(showAllChars ? kTabMark : ' ', value, showAllChars ? TComposedLine::ckControl : TComposedLine::ckText, i);
            for (++column; column < stop; ++column) put(' ', value, TComposedLine::ckText, i);
        } else if (c < 32) {
            put(showAllChars ? static_cast<char>(c) : kControlDot, value, TComposedLine::ckControl, i);
            ++column;
        } else if (utf8 && c >= 0x80) {
            const Utf8::Decoded d = Utf8::Decode(segment.substr(0, static_cast<std::size_t>(out.contentLength)),
                                                 static_cast<std::size_t>(i));
            if (!d.valid) {
                put('?', value, TComposedLine::ckControl, i, Utf8::kReplacement);
                ++column;
                continue;
            }
            const std::int32_t cells = Utf8::Width(d.code);
            put('?', value, TComposedLine::ckText, i, d.code);
            if (cells > 1 && column + 1 < columnLimit) put('?', value, TComposedLine::ckText, i, 0);
            column += cells;
            for (std::int32_t k = 1; k < d.length; ++k) out.columnOfChar[static_cast<std::size_t>(i + k)] = column - cells;
            i += d.length - 1;
        } else {
            put(static_cast<char>(c), value, TComposedLine::ckText, i);
            ++column;
        }
    }
    for (; i <= out.contentLength; ++i) out.columnOfChar[static_cast<std::size_t>(i)] = column;
    if (showAllChars && out.endsLine && column < columnLimit)
        put(kLineEndMark, values ? values[out.contentLength] : 0, TComposedLine::ckControl, out.contentLength);
}

std::int32_t TLineComposer::NextCharIndex(const TComposedLine& line, std::int32_t index) {
    const std::int32_t column = line.columnOfChar[static_cast<std::size_t>(std::clamp(index, 0, line.contentLength))];
    std::int32_t next = index + 1;
    while (next < line.contentLength && line.columnOfChar[static_cast<std::size_t>(next)] == column) ++next;
    return std::min(next, line.contentLength);
}

}  // namespace quarry
