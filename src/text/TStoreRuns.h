#pragma once
// TTextRuns over a text store's line records. Records are short (a C line is some 40 bytes),
// and a scanner pays for every run it is handed, so consecutive short records are gathered
// into one buffer and handed out together; a long record is handed out in place. A forward or
// backward walk doubles the gathered size up to kMaxGather, a jump starts small again, so a
// search that stops soon after its start copies little. The last two runs stay valid (a match
// that straddles two runs reads both by turns). Valid until the store changes.
#include "text/TTextRuns.h"
#include "text/TTextStore.h"

#include <array>
#include <vector>

namespace quarry {

class TStoreRuns final : public TTextRuns {
public:
    static constexpr TextPos kMinGather = 128;
    static constexpr TextPos kMaxGather = 64 * 1024;
    static constexpr TextPos kInPlace = 256;  // records at least this long are not copied

    explicit TStoreRuns(TTextStore& store) : store_(store), size_(store.CharCount()) {}

    TextPos size() const override { return size_; }
    TTextRun runAt(TextPos pos) override;
    // Forgets what was gathered, after the store changed; the buffers are kept for reuse.
    void Reset();

private:
    struct Chunk {
        TTextRun run;                  // the bytes handed out
        RecordId first = kNoRecord;    // records it covers, first and last
        RecordId last = kNoRecord;
        std::vector<unsigned char> buffer;  // the gathered copy (unused for a record in place)
    };

    static unsigned char* reserve(Chunk& chunk, TextPos target);
    void gatherForward(Chunk& chunk, RecordId id, TextPos start, TextPos target);
    void gatherBackward(Chunk& chunk, RecordId id, TextPos end, TextPos target);

    TTextStore& store_;
    TextPos size_;
    std::array<Chunk, 2> chunks_;  // chunks_[recent_] is the newest
    int recent_ = 0;
    TextPos target_ = kMinGather;
};

}  // namespace quarry
