#pragma once
#include <cstdint>

namespace quarry {

// Zero-based character offset into the whole text of a control; every line break counts as the
// single character CR. Thirty-two bits by contract: texts that would overflow it are refused.
using Offset = std::int32_t;
// Zero-based index of a display line, that is of a line record (one segment of a logical line).
using LineIndex = std::int32_t;
// Handle of a line record inside a text store; kNoRecord is the null handle.
using RecordId = std::uint32_t;
inline constexpr RecordId kNoRecord = 0;

// A 16-bit key stroke in the menu short-cut encoding: virtual key in the low byte.
using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// Modifier state handed to key handlers.
enum TShiftFlag : std::uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = std::uint8_t;

// 32-bit colours, blue-green-red with red in the low byte. Values with the top byte FF are system
// colours that the painter resolves from the palette.
using TColor = std::int32_t;
inline constexpr TColor clNone = -1;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;

// Option bits of the control (the same numbers the highlighting scripts use).
enum TCodeMemoOption : std::uint32_t {
    smoLineNumbers = 1,
    smoSyntaxHighlight = 16,
    smoPrintWrap = 32,
    smoPrintLineNos = 64,
    smoPrintFilename = 128,
    smoPrintDate = 256,
    smoPrintPageNos = 512,
    smoWordWrap = 1024,
    smoAutoIndent = 2048,
    smoTabToColumn = 4096,
    smoWrapOverride = 8192,
    smoWordSelect = 16384,
    smoShowRMargin = 32768,
    smoShowGutter = 65536,
    smoShowWrapColumn = 131072,
    smoTitleAsFilename = 262144,
    smoProcessDroppedFiles = 524288,
    smoBlockOverwriteCursor = 1048576,
    smoShowWrapGlyph = 2097152,
    smoColumnTrack = 4194304,
    smoUseTAB = 8388608,
    smoSmartFill = 16777216,
    smoOLEDragSource = 33554432,
    smoShowAllChars = 67108864,
    smoCaretAfterEOL = 134217728,
};
using TCodeMemoOptions = std::uint32_t;
inline constexpr TCodeMemoOptions kDefaultOptions = 0x3FFDBF0;

enum class TSaveFormat : std::uint8_t { sfTEXT, sfRTF, sfHTML, sfUNIX };
enum class TSelLineStyle : std::uint8_t { lsCRLF = 0, lsLF = 1 };

}  // namespace quarry
