#include "editor/ui/TLineComposer.h"

#include <algorithm>

#include "editorsettings/TCM_Settings.h"

namespace quarry {

void TLineComposer::Compose(std::string_view segment, const std::uint8_t* values, const TCM_Settings& settings,
                            bool showAllChars, TComposedLine& out, std::int32_t columnLimit) {
    columnLimit = std::clamp<std::int32_t>(columnLimit, 0, kMaxColumns);
    out.endsLine = !segment.empty() && segment.back() == '\r';
    out.contentLength = static_cast<std::int32_t>(segment.size()) - (out.endsLine ? 1 : 0);
    out.text.clear();
    out.values.clear();
    out.kinds.clear();
    out.charOfColumn.clear();
    out.columnOfChar.assign(static_cast<std::size_t>(out.contentLength) + 1, 0);

    const auto put = [&](char c, std::uint8_t value, std::uint8_t kind, std::int32_t index) {
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
        } else {
            put(static_cast<char>(c), value, TComposedLine::ckText, i);
            ++column;
        }
    }
    for (; i <= out.contentLength; ++i) out.columnOfChar[static_cast<std::size_t>(i)] = column;
    if (showAllChars && out.endsLine && column < columnLimit)
        put(kLineEndMark, values ? values[out.contentLength] : 0, TComposedLine::ckControl, out.contentLength);
}

}  // namespace quarry
