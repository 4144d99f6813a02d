#pragma once
// The character cursor the scanner reads through: the operations of the editor's character
// stream, in its order. The editor adapts its text store to it; BufferCursor serves whole
// files (the command-line tool, tests, benchmarks).
#include <cstdint>
#include <string_view>

namespace quarry {

using ScanOffset = int64_t;

class ScanCursor {
public:
    virtual ~ScanCursor() = default;
    // The character at the cursor, 0..255; 0 at the end (check atEnd: a group may admit 0).
    virtual unsigned char current() const = 0;
    virtual ScanOffset position() const = 0;
    virtual void seek(ScanOffset offset) = 0;
    virtual bool atEnd() const = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
};

// A cursor over one contiguous text. It never reads outside [0, size): seeking is clipped.
class BufferCursor final : public ScanCursor {
public:
    explicit BufferCursor(std::string_view text) : text_(text) {}

    unsigned char current() const override { return pos_ < size() ? (unsigned char)text_[size_t(pos_)] : 0; }
    ScanOffset position() const override { return pos_; }
    void seek(ScanOffset offset) override { pos_ = offset < 0 ? 0 : offset > size() ? size() : offset; }
    bool atEnd() const override { return pos_ >= size(); }
    void next() override
    {
        if (pos_ < size())
            ++pos_;
    }
    void previous() override
    {
        if (pos_ > 0)
            --pos_;
    }
    std::string_view text() const { return text_; }

private:
    ScanOffset size() const { return ScanOffset(text_.size()); }
    std::string_view text_;
    ScanOffset pos_ = 0;
};

}  // namespace quarry
