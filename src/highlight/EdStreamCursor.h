#pragma once
// The scanner's cursor over the editor's character stream. TEdStream is final, so these calls
// are direct.
#include "text/TEdStream.h"
#include "highlight/ScanCursor.h"

namespace quarry {

class EdStreamCursor final : public ScanCursor {
public:
    explicit EdStreamCursor(TEdStream& stream) : stream_(stream) {}
    unsigned char current() const override { return (unsigned char)stream_.Current(); }
    ScanOffset position() const override { return stream_.Position(); }
    void seek(ScanOffset offset) override
    {
        // The store's offsets are 32-bit; clip rather than wrap.
        stream_.Seek(Offset(offset < 0 ? 0 : offset > INT32_MAX ? INT32_MAX : offset));
    }
    bool atEnd() const override { return stream_.AtEnd(); }
    void next() override { stream_.Next(); }
    void previous() override { stream_.Previous(); }

private:
    TEdStream& stream_;
};

}  // namespace quarry
