#pragma once
#include <cstdint>

#include "text/EditorTypes.h"

namespace quarry {

// Change marks in TLineRecord::flags, read by painting and scanning.
enum TLineFlag : std::uint8_t {
    lfRepaint = 1,   // the line must be repainted
    lfChanged = 2,   // text was inserted; the line waits for a scan
    lfHasTab = 4,    // the segment holds a TAB
    lfRescan = 16,   // the scan must not stop after this line
    lfEndsLine = 32, // the segment ends with CR (kept by the store with the text)
};

// Bits of TLineRecord::marks. The low ten bits hold the numbered bookmark on the line (at most one
// set); the upper six are further line flags that bookmark operations never touch.
inline constexpr std::uint16_t kBookmarkMask = 0x03FF;
inline constexpr std::uint16_t kMarkContinuation = 0x1000;  // segment continues a wrapped line

// One display segment of a logical line. Records live in the text store's pool and link to each
// other by handle; text and token values live in the store's arena, also named by handle (read
// them through TTextStore::TextOf and StylesOf), and the rarely used track and colour fields live
// in a side table of the store, so that a record takes 24 bytes: eleven million lines must fit in
// 2.5 times the file size.
struct TLineRecord {
    std::uint32_t text = 0;           // arena handle: length characters followed by a NUL
    std::uint32_t styles = 0;         // arena handle: one token value per character; 0 until scanned
    RecordId next = kNoRecord;
    RecordId prev = kNoRecord;
    std::uint16_t length = 0;         // characters, including the trailing CR of a logical line
    std::uint16_t marks = 0;          // kBookmarkMask bits and line flags such as kMarkContinuation
    std::uint16_t lineMarks = 0;      // bit n-1: line mark n (1..16)
    std::uint8_t flags = 0;           // TLineFlag bits
    std::uint8_t hasSide = 0;         // the store's side table holds a track or colours for it

    bool EndsWithCR() const { return (flags & lfEndsLine) != 0; }
    bool Scanned() const { return styles != 0; }
    // Holds no token values, or text went in since they were made.
    bool NeedsScan() const { return styles == 0 || (flags & lfChanged) != 0; }
    // Characters without the trailing CR.
    std::uint16_t ContentLength() const { return static_cast<std::uint16_t>(length - (EndsWithCR() ? 1 : 0)); }
};

static_assert(sizeof(TLineRecord) == 24, "line records must stay compact");

}  // namespace quarry
