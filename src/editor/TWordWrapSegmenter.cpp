#include "editor/TWordWrapSegmenter.h"

#include "editorsettings/TCM_Settings.h"

namespace quarry {

void TWordWrapSegmenter::Split(std::string_view line, std::vector<std::int32_t>& lengths) const {
    if (line.empty()) return;
    if (overrideOn && overrideChars.find(line.front()) != std::string::npos) {
        lengths.push_back(static_cast<std::int32_t>(line.size()));
        return;
    }
    std::size_t segStart = 0;
    while (segStart < line.size()) {
        int x = 0;
        std::int32_t column = 0;
        std::size_t breakAfterBlank = 0;  // 0: no blank seen in this segment
        std::size_t i = segStart;
        for (; i < line.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(line[i]);
            int w;
            std::int32_t nextColumn;
            if (c == '\t') {
                nextColumn = settings ? settings->NextTabStop(column) : column + 8 - column % 8;
                w = (nextColumn - column) * tabWidthPixels;
            } else {
                nextColumn = column + 1;
                w = charWidth ? charWidth(c) : tabWidthPixels;
            }
            if (x + w > widthPixels && i > segStart) break;
            x += w;
            column = nextColumn;
            if (c == ' ' || c == '\t') breakAfterBlank = i + 1;
        }
        if (i < line.size() && breakAfterBlank > segStart) i = breakAfterBlank;
        lengths.push_back(static_cast<std::int32_t>(i - segStart));
        segStart = i;
    }
}

}  // namespace quarry
