#pragma once
// TTextRuns over the editor's character cursor: each run is one line record, read through the
// cursor's run accessor, so literal and regular-expression search walk the text store's records
// directly. Positions beyond the cursor's end offset are outside the text.
#include "text/TEdStream.h"
#include "text/TTextRuns.h"

namespace quarry {

class TEdStreamRuns final : public TTextRuns {
public:
    explicit TEdStreamRuns(TEdStream& stream) : stream_(stream) {}

    TextPos size() const override { return stream_.End(); }
    TTextRun runAt(TextPos pos) override;

private:
    TEdStream& stream_;
};

}  // namespace quarry
