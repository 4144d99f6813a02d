#pragma once
// Random character access over TTextRuns with the current run cached, so that reads near the
// previous one (the usual case for matching and scanning) cost one compare.
#include "text/TTextRuns.h"

namespace quarry {

class TRunReader final {
public:
    explicit TRunReader(TTextRuns& text) : text_(text), size_(text.size()) {}

    TextPos size() const { return size_; }

    // The byte at pos, or -1 outside the text.
    int at(TextPos pos)
    {
        const TextPos i = pos - run_.start;
        if (static_cast<std::uint64_t>(i) < static_cast<std::uint64_t>(run_.length))
            return run_.text[i];
        if (pos < 0 || pos >= size_)
            return -1;
        run_ = text_.runAt(pos);
        return run_.text[pos - run_.start];
    }

    // The run that holds pos (0 <= pos < size()).
    const TTextRun& runAt(TextPos pos)
    {
        if (pos < run_.start || pos >= run_.end())
            run_ = text_.runAt(pos);
        return run_;
    }

private:
    TTextRuns& text_;
    TextPos size_;
    TTextRun run_;  // invariant: empty or a run of text_
};

}  // namespace quarry
