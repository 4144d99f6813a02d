#pragma once
// TTextRuns straight over a text store's line records: a scan that walks forward or backward
// asks for the neighbouring record, which costs one link; other positions go through the
// store's finger. Valid until the store changes.
#include "editor/TTextRuns.h"
#include "editor/TTextStore.h"

namespace quarry {

class TStoreRuns final : public TTextRuns {
public:
    explicit TStoreRuns(TTextStore& store) : store_(store), size_(store.CharCount()) {}

    TextPos size() const override { return size_; }
    TTextRun runAt(TextPos pos) override;

private:
    void seat(RecordId id, TextPos start);

    TTextStore& store_;
    TextPos size_;
    RecordId record_ = kNoRecord;  // the last run's record, starting at start_, length_ long
    RecordId next_ = kNoRecord;    // its neighbours, kept so a walk reads each record once
    RecordId prev_ = kNoRecord;
    TextPos start_ = 0;
    TextPos length_ = 0;
    const char* text_ = nullptr;
};

}  // namespace quarry
