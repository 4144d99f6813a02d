#include "editorsettings/TCM_Settings.h"

#include <cctype>

#include "text/ECodeMemo.h"
#include "text/EditorMessages.h"
#include "editorsettings/TCodeMemoKeyHook.h"

namespace quarry {

TCM_Settings::TCM_Settings() { Reset(); }

void TCM_Settings::Reset() {
    name = "<Custom language>";
    exampleText.clear();
    editableStyles.clear();
    options = kDefaultOptions;
    tabDefault_ = 4;
    margin = 2;
    wrapAtColumn = 0;
    wrapOverride = ">|:";
    gutter = 34;
    indentStep = 1;
    marginColor = clWhite;
    gutterColor = clBtnFace;
    selTextColor = clHighlightText;
    selTextBack = clHighlight;
    rightMargin = 80;
    tabColumns_.fill(-1);
    font = TCM_Font{};
    gutterFont = TCM_Font{"MS Sans Serif", 8, 1, clWindowText};
    map.fill(0);
    effects.fill(TCM_Effect{});
    keys = TKeyboardActionContoller::Default();
    templateHook.reset();
    autoReplaceHook.reset();
}

void TCM_Settings::SetTabDefault(std::int32_t columns) {
    if (columns < 1) throw ECodeMemo(msg::IllegalTabDefault);
    tabDefault_ = columns;
}

void TCM_Settings::SetTabColumnsText(std::string_view text) {
    std::array<std::int32_t, kMaxTabColumns> parsed;
    parsed.fill(-1);
    int count = 0;
    std::size_t i = 0;
    auto isSeparator = [](char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n' || c == ';'; };
    while (i < text.size()) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) throw ECodeMemo(msg::TabColumnExpected);
        std::int64_t value = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), 0x7FFFFFFF);
            ++i;
        }
        if (i < text.size() && !isSeparator(text[i])) throw ECodeMemo(msg::TabColumnExpected);
        if (value <= 1) throw ECodeMemo(msg::TabColumnTooSmall);
        if (count > 0 && value <= parsed[static_cast<std::size_t>(count - 1)]) throw ECodeMemo(msg::TabColumnsOrder);
        if (count == kMaxTabColumns) throw ECodeMemo(msg::TooManyTabStops + std::to_string(kMaxTabColumns));
        parsed[static_cast<std::size_t>(count++)] = static_cast<std::int32_t>(value);
    }
    tabColumns_ = parsed;
}

std::string TCM_Settings::TabColumnsText() const {
    std::string text;
    for (std::int32_t column : tabColumns_) {
        if (column < 1) break;
        if (!text.empty()) text += ' ';
        text += std::to_string(column);
    }
    return text;
}

std::int32_t TCM_Settings::NextTabStop(std::int32_t column) const {
    for (std::int32_t stop : tabColumns_) {
        if (stop < 1) break;
        if (stop > column) return stop;
    }
    return column + tabDefault_ - (column % tabDefault_);
}

}  // namespace quarry
