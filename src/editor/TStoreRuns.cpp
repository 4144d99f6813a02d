#include "editor/TStoreRuns.h"

namespace quarry {

void TStoreRuns::seat(RecordId id, TextPos start)
{
    const TLineRecord& r = store_.Record(id);
    record_ = id;
    next_ = r.next;
    prev_ = r.prev;
    start_ = start;
    length_ = r.length;
    text_ = r.text;
}

TTextRun TStoreRuns::runAt(TextPos pos)
{
    if (record_ != kNoRecord && pos >= start_ && pos < start_ + length_) {
        // the same record again
    } else if (record_ != kNoRecord && pos == start_ + length_) {
        seat(next_, pos);
    } else if (record_ != kNoRecord && pos == start_ - 1) {
        const TextPos end = start_;
        seat(prev_, 0);
        start_ = end - length_;
    } else {
        const TTextStore::Location at = store_.Locate(static_cast<Offset>(pos));
        seat(at.record, at.lineStart);
    }
    return {reinterpret_cast<const unsigned char*>(text_), start_, length_};
}

}  // namespace quarry
