#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace quarry {

// The seven status-bar panels for the active editor window, left to right: caret position
// (the column in characters), modified mark, row count, first visible row, parser name, typing
// mode, encoding.
struct StatusSnapshot {
    std::int32_t row = 1;
    std::int32_t column = 1;
    bool modified = false;
    std::int32_t rows = 0;
    std::int32_t topRow = 1;
    std::string parserName;  // empty when no parser
    bool overwrite = false;
    std::string encoding;    // "UTF-8" or "Windows-1252"
};

using StatusTexts = std::array<std::string, 7>;

StatusTexts statusTextsFor(const StatusSnapshot& snapshot);
// Every "&" doubled, so that a label shows the text as written.
std::string escapeAmpersands(const std::string& text);

}  // namespace quarry
