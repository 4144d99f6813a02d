#pragma once
// Read access to a text as a sequence of contiguous runs of bytes. The text store keeps one run
// per line record; a flat buffer is a single run. Search and the regular-expression matcher scan
// runs with tight pointer loops and only ask for a new run at a run's end, so they cost the same
// over linked line records as over one buffer.
#include <cstdint>
#include <string_view>

namespace quarry {

// A character position in a searched text: zero-based, CR counts as one character.
using TextPos = std::int64_t;

struct TTextRun {
    const unsigned char* text = nullptr;  // the run's bytes
    TextPos start = 0;                    // position of text[0]
    TextPos length = 0;                   // invariant: > 0 for every run of a non-empty text
    TextPos end() const { return start + length; }
};

class TTextRuns {
public:
    virtual ~TTextRuns() = default;
    virtual TextPos size() const = 0;
    // The run that holds pos, for 0 <= pos < size(). Sequential neighbours must be cheap: callers
    // walk forward and backward one run at a time.
    virtual TTextRun runAt(TextPos pos) = 0;
};

// A text held in one buffer that outlives this object.
class TFlatText final : public TTextRuns {
public:
    explicit TFlatText(std::string_view text) : text_(text) {}
    TextPos size() const override { return static_cast<TextPos>(text_.size()); }
    TTextRun runAt(TextPos) override
    {
        return {reinterpret_cast<const unsigned char*>(text_.data()), 0, size()};
    }

private:
    std::string_view text_;
};

}  // namespace quarry
