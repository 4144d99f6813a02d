#include "regex/TLiteralScanner.h"

#include "text/TRunReader.h"
#include "regex/TSearchChars.h"

#include <algorithm>
#include <cstring>

namespace quarry {

void TLiteralScanner::setPattern(std::string_view pattern, bool caseSensitive)
{
    if (prepared_ && caseSensitive == caseSensitive_ && pattern == given_)
        return;
    prepared_ = true;
    given_ = pattern;
    caseSensitive_ = caseSensitive;
    for (int c = 0; c < 256; ++c)
        identity_[c] = static_cast<std::uint8_t>(c);
    fold_ = caseSensitive ? identity_.data() : TSearchChars::upperTable().data();
    folded_.resize(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i)
        folded_[i] = static_cast<char>(fold_[static_cast<std::uint8_t>(pattern[i])]);
    hasLineEnd_ = folded_.find('\r') != std::string::npos;

    const std::size_t m = folded_.size();
    std::array<std::uint32_t, 256> byFolded;
    byFolded.fill(static_cast<std::uint32_t>(m));
    for (std::size_t j = 0; j + 1 < m; ++j)
        byFolded[static_cast<std::uint8_t>(folded_[j])] = static_cast<std::uint32_t>(m - 1 - j);
    std::array<std::uint32_t, 256> backFolded;
    backFolded.fill(static_cast<std::uint32_t>(m));
    for (std::size_t j = m; j-- > 1;)
        backFolded[static_cast<std::uint8_t>(folded_[j])] = static_cast<std::uint32_t>(j);
    for (int c = 0; c < 256; ++c) {
        skip_[c] = byFolded[fold_[c]];
        skipBack_[c] = backFolded[fold_[c]];
    }
}

bool TLiteralScanner::windowEquals(const unsigned char* window) const
{
    const std::size_t m = folded_.size();
    if (caseSensitive_)
        return std::memcmp(window, folded_.data(), m) == 0;
    for (std::size_t i = 0; i < m; ++i)
        if (fold_[window[i]] != static_cast<std::uint8_t>(folded_[i]))
            return false;
    return true;
}

bool TLiteralScanner::matchesAt(TRunReader& reader, TextPos pos) const
{
    const TextPos m = static_cast<TextPos>(folded_.size());
    if (m == 0 || pos < 0 || pos + m > reader.size())
        return false;
    for (TextPos i = 0; i < m; ++i)
        if (fold_[reader.at(pos + i)] != static_cast<std::uint8_t>(folded_[i]))
            return false;
    return true;
}

bool TLiteralScanner::mayStraddle(const TTextRun& run) const
{
    return hasLineEnd_ || run.text[run.length - 1] != '\r';
}

// Windows starting at lo..hi (indexes into text) lie wholly in the run.
TextPos TLiteralScanner::findInRun(const unsigned char* text, TextPos lo, TextPos hi) const
{
    const TextPos m = static_cast<TextPos>(folded_.size());
    const std::uint8_t lastByte = static_cast<std::uint8_t>(folded_[m - 1]);
    if (m == 1) {
        const unsigned char* end = text + hi + 1;
        if (caseSensitive_) {
            const void* hit = std::memchr(text + lo, lastByte, static_cast<std::size_t>(hi + 1 - lo));
            return hit ? static_cast<const unsigned char*>(hit) - text : -1;
        }
        for (const unsigned char* p = text + lo; p < end; ++p)
            if (fold_[*p] == lastByte)
                return p - text;
        return -1;
    }
    const std::uint32_t* skip = skip_.data();
    const std::uint8_t* fold = fold_;
    TextPos i = lo + m - 1;
    const TextPos last = hi + m - 1;
    while (i <= last) {
        const unsigned char c = text[i];
        if (fold[c] == lastByte && windowEquals(text + i - m + 1))
            return i - m + 1;
        i += skip[c];
    }
    return -1;
}

TextPos TLiteralScanner::findInRunBackward(const unsigned char* text, TextPos lo, TextPos hi) const
{
    const std::uint8_t firstByte = static_cast<std::uint8_t>(folded_[0]);
    TextPos i = hi;
    while (i >= lo) {
        const unsigned char c = text[i];
        if (fold_[c] == firstByte && windowEquals(text + i))
            return i;
        i -= skipBack_[c];
    }
    return -1;
}

TextPos TLiteralScanner::findForward(TTextRuns& text, TextPos from) const
{
    const TextPos m = static_cast<TextPos>(folded_.size());
    TRunReader reader(text);
    const TextPos size = reader.size();
    TextPos s = std::max<TextPos>(from, 0);
    while (m > 0 && s + m <= size) {
        const TTextRun run = reader.runAt(s);
        if (run.end() - m >= s) {
            const TextPos hit = findInRun(run.text, s - run.start, run.length - m);
            if (hit >= 0)
                return run.start + hit;
            s = run.end() - m + 1;
        }
        if (mayStraddle(run))
            for (; s < run.end() && s + m <= size; ++s)
                if (matchesAt(reader, s))
                    return s;
        s = run.end();
    }
    return -1;
}

TextPos TLiteralScanner::findBackward(TTextRuns& text, TextPos before) const
{
    const TextPos m = static_cast<TextPos>(folded_.size());
    TRunReader reader(text);
    TextPos s = std::min(before - 1, reader.size() - m);
    while (m > 0 && s >= 0) {
        const TTextRun run = reader.runAt(s);
        // Windows that start here but run into the next record come first: they start later.
        const TextPos inRunLast = run.end() - m;
        if (s > inRunLast) {
            if (mayStraddle(run)) {
                for (; s > inRunLast && s >= run.start; --s)
                    if (matchesAt(reader, s))
                        return s;
            } else {
                s = std::max(inRunLast, run.start - 1);
            }
        }
        if (s >= run.start) {
            // Reading the straddling windows may have fetched later runs: ask for this one again.
            const TTextRun& again = reader.runAt(s);
            const TextPos hit = findInRunBackward(again.text, 0, s - again.start);
            if (hit >= 0)
                return again.start + hit;
        }
        s = run.start - 1;
    }
    return -1;
}

}  // namespace quarry
