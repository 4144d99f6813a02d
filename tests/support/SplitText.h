#pragma once
// A text cut into runs at chosen places, so searches cross run ends the way they cross the
// line records of the text store (including runs that do not end with CR).
#include "text/TTextRuns.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace quarry::test {

class SplitText final : public TTextRuns {
public:
    // Cuts after every CR and, in addition, at random places (each position with chance 1/every).
    SplitText(std::string text, unsigned seed, int every = 4) : text_(std::move(text))
    {
        std::mt19937 rng(seed);
        for (std::size_t i = 1; i < text_.size(); ++i)
            if (text_[i - 1] == '\r' || (every > 0 && rng() % static_cast<unsigned>(every) == 0))
                cuts_.push_back(static_cast<TextPos>(i));
        cuts_.push_back(static_cast<TextPos>(text_.size()));
    }

    TextPos size() const override { return static_cast<TextPos>(text_.size()); }

    TTextRun runAt(TextPos pos) override
    {
        const auto it = std::upper_bound(cuts_.begin(), cuts_.end(), pos);
        const TextPos end = *it;
        const TextPos start = it == cuts_.begin() ? 0 : *(it - 1);
        ++runRequests;
        return {reinterpret_cast<const unsigned char*>(text_.data()) + start, start, end - start};
    }

    const std::string& text() const { return text_; }
    long runRequests = 0;

private:
    std::string text_;
    std::vector<TextPos> cuts_;  // run ends, ascending; the last is the text's end
};

}  // namespace quarry::test
