#pragma once
#include <cstdint>

class QPainter;

namespace quarry {

// The record handed to OnDrawLine before a text line is painted, fields in their published
// order. The handler may paint the line itself and set handled; the window then paints nothing
// more for that line.
struct TLineDrawData {
    std::int32_t kind = 1;          // 1: a text line
    const char* text = nullptr;     // the composed display text, NUL-terminated
    bool composed = true;
    QPainter* dc = nullptr;
    std::int32_t left = 0;          // the line's rectangle
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t displayLine = 0;   // 0-based display line of the segment
    std::int32_t lineStart = 0;     // character offset of its first character
    std::int32_t length = 0;        // characters of the composed text
    bool handled = false;
};

}  // namespace quarry
