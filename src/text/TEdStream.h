#pragma once
#include <algorithm>
#include <string_view>

#include "text/TCustomEdStream.h"
#include "text/TLineRecord.h"

namespace quarry {

class TTextStore;

// A character cursor over a text store between a start and an end offset. It follows the line
// records, so stepping costs nothing more than an index increment inside a record; Run() hands
// out the contiguous bytes up to the end of the current record for loops that work on runs.
// A stream is valid until the store changes (except through the stream's own Write).
//
// Invariants: 0 <= pos_ <= end_ <= store's CharCount; text_/recLen_ describe the record rec_ that
// holds pos_, and inRec_ = pos_ - start of rec_ (equal to recLen_ only at the end of the text).
class TEdStream final : public TCustomEdStream {
public:
    // end -1 (or past the text) means the end of the text.
    explicit TEdStream(TTextStore& store, Offset start = 0, Offset end = -1, bool readOnly = true);

    char Current() const override { return pos_ < end_ ? text_[inRec_] : '\0'; }
    Offset Position() const override { return pos_; }
    void Seek(Offset position) override;
    bool AtEnd() const override { return pos_ >= end_; }
    char Next() override {
        if (pos_ >= end_) return '\0';
        ++pos_;
        if (++inRec_ >= recLen_) StepForward();
        return Current();
    }
    char Previous() override;
    std::int32_t Read(char* buffer, std::int32_t count) override;
    std::int32_t Write(const char* buffer, std::int32_t count) override;

    // The bytes from the position to the end of the current record, clipped to the end offset.
    std::string_view Run() const {
        const Offset left = end_ - pos_;
        const std::int32_t inRecord = recLen_ - inRec_;
        const std::string_view run{text_ + inRec_,
                                   static_cast<std::size_t>(left < inRecord ? (left > 0 ? left : 0) : inRecord)};
        if (!run.empty()) farthest_ = std::max<Offset>(farthest_, pos_ + static_cast<Offset>(run.size()) - 1);
        return run;
    }
    // The farthest position whose character may have been read: the stream stood there, or Run
    // handed it out. Moving on costs nothing for this; only moving back and Run note it.
    Offset Farthest() const { return std::max(farthest_, pos_); }
    // Moves forward by count characters (clipped to the end offset).
    void Skip(std::int32_t count) { Seek(pos_ + count); }

    Offset Start() const { return start_; }
    Offset End() const { return end_; }
    RecordId CurrentRecord() const { return rec_; }
    std::int32_t OffsetInRecord() const { return inRec_; }
    bool ReadOnly() const { return readOnly_; }

private:
    void StepForward();
    void Seat(RecordId id, Offset recordStart);

    TTextStore* store_;
    Offset start_;
    Offset end_;
    Offset pos_;
    RecordId rec_ = kNoRecord;
    const char* text_ = "";
    std::int32_t recLen_ = 0;
    std::int32_t inRec_ = 0;
    mutable Offset farthest_ = 0;
    bool readOnly_;
};

}  // namespace quarry
