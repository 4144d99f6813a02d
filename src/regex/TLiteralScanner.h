#pragma once
// Finds a literal text in TTextRuns with a Horspool skip table, scanning each run with a pointer
// loop. Occurrences that straddle two runs are checked separately at run ends; a pattern without
// CR cannot straddle a run that ends with CR (a whole line record), so those ends cost nothing.
#include "text/TTextRuns.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quarry {

class TRunReader;

class TLiteralScanner final {
public:
    // Prepares the tables; nothing is rebuilt while pattern and case stay the same. When case is
    // ignored the pattern is kept upper-cased and text bytes are upper-cased as they are read.
    void setPattern(std::string_view pattern, bool caseSensitive);
    const std::string& pattern() const { return given_; }
    bool caseSensitive() const { return caseSensitive_; }
    std::size_t length() const { return folded_.size(); }

    // Start of the first occurrence at or after from, or -1. An empty pattern finds nothing.
    TextPos findForward(TTextRuns& text, TextPos from) const;
    // Start of the last occurrence that starts before `before`, or -1.
    TextPos findBackward(TTextRuns& text, TextPos before) const;
    // Whether an occurrence starts at pos.
    bool matchesAt(TRunReader& reader, TextPos pos) const;

private:
    TextPos findInRun(const unsigned char* text, TextPos lo, TextPos hi) const;
    TextPos findInRunBackward(const unsigned char* text, TextPos lo, TextPos hi) const;
    bool windowEquals(const unsigned char* window) const;
    bool mayStraddle(const TTextRun& run) const;

    std::string given_;
    std::string folded_;        // the pattern as compared: upper-cased when case is ignored
    bool caseSensitive_ = true;
    bool hasLineEnd_ = false;   // the pattern holds a CR
    bool prepared_ = false;
    const std::uint8_t* fold_ = nullptr;        // byte -> compared form (identity or upper)
    std::array<std::uint8_t, 256> identity_{};
    std::array<std::uint32_t, 256> skip_{};     // forward shift keyed by the window's last byte
    std::array<std::uint32_t, 256> skipBack_{}; // backward shift keyed by the window's first byte
};

}  // namespace quarry
