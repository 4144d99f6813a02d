#include "text/TEdStream.h"

#include <algorithm>
#include <cstring>

#include "text/ECodeMemo.h"
#include "text/EditorMessages.h"
#include "text/TTextStore.h"

namespace quarry {

TEdStream::TEdStream(TTextStore& store, Offset start, Offset end, bool readOnly)
    : store_(&store), readOnly_(readOnly) {
    const Offset count = store.CharCount();
    end_ = (end < 0 || end > count) ? count : end;
    start_ = std::clamp<Offset>(start, 0, end_);
    pos_ = start_;
    Seat(kNoRecord, 0);
    Seek(start_);
}

void TEdStream::Seat(RecordId id, Offset recordStart) {
    rec_ = id;
    if (id == kNoRecord) {
        text_ = "";
        recLen_ = 0;
        inRec_ = 0;
        return;
    }
    const TLineRecord& r = store_->Rec(id);
    text_ = store_->TextOf(r);
    recLen_ = r.length;
    inRec_ = pos_ - recordStart;
}

void TEdStream::StepForward() {
    const RecordId next = store_->Rec(rec_).next;
    if (next == kNoRecord) return;  // the end of the text: inRec_ stays at recLen_
    const Offset start = pos_ - inRec_ + recLen_;
    Seat(next, start);
}

void TEdStream::Seek(Offset position) {
    farthest_ = Farthest();
    position = std::clamp<Offset>(position, 0, end_);
    if (store_->First() == kNoRecord) {
        pos_ = position;
        Seat(kNoRecord, 0);
        return;
    }
    Offset recordStart = pos_ - inRec_;
    // Nearby positions follow the links; far ones ask the store, whose finger remembers.
    if (rec_ != kNoRecord) {
        for (int steps = 0; steps < 4; ++steps) {
            if (position >= recordStart && (position < recordStart + recLen_ || store_->Rec(rec_).next == kNoRecord)) {
                pos_ = position;
                inRec_ = position - recordStart;
                return;
            }
            if (position >= recordStart + recLen_) {
                recordStart += recLen_;
                pos_ = recordStart;
                Seat(store_->Rec(rec_).next, recordStart);
            } else {
                const RecordId prev = store_->Rec(rec_).prev;
                recordStart -= store_->Rec(prev).length;
                pos_ = recordStart;
                Seat(prev, recordStart);
            }
        }
    }
    pos_ = position;
    if (position >= store_->CharCount()) {
        const RecordId last = store_->Last();
        Seat(last, store_->CharCount() - store_->Rec(last).length);
        return;
    }
    const TTextStore::Location loc = store_->Locate(position);
    Seat(loc.record, loc.lineStart);
}

char TEdStream::Previous() {
    farthest_ = Farthest();
    if (pos_ <= 0) return Current();
    --pos_;
    if (inRec_ > 0) {
        --inRec_;
    } else {
        const RecordId prev = store_->Rec(rec_).prev;
        const Offset start = pos_ + 1 - store_->Rec(prev).length;
        Seat(prev, start);
    }
    return Current();
}

std::int32_t TEdStream::Read(char* buffer, std::int32_t count) {
    std::int32_t done = 0;
    while (done < count && !AtEnd()) {
        const std::string_view run = Run();
        const auto take = std::min<std::int32_t>(count - done, static_cast<std::int32_t>(run.size()));
        std::memcpy(buffer + done, run.data(), static_cast<std::size_t>(take));
        done += take;
        Seek(pos_ + take);
    }
    return done;
}

std::int32_t TEdStream::Write(const char* buffer, std::int32_t count) {
    if (readOnly_) throw ECodeMemo(msg::ReadOnlyStream);
    const Offset at = pos_;
    const std::int32_t inserted = store_->InsertText(at, buffer, count);
    end_ += inserted;
    rec_ = kNoRecord;  // the records changed: seat again from the store
    pos_ = at + inserted;
    Seat(kNoRecord, 0);
    Seek(at + inserted);
    return inserted;
}

}  // namespace quarry
