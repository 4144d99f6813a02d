#pragma once
// Little-endian writer and bounded reader for the compiled parser form. The reader never reads
// past its data: a short or corrupt form raises instead of running on.
#include "highlight/StateSet.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quarry {

class ByteWriter final {
public:
    void u8(unsigned v) { out_.push_back(char(uint8_t(v))); }
    void u16(unsigned v)
    {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void i32(int32_t v) { u32(uint32_t(v)); }
    void set(const StateSet& s) { out_.append(reinterpret_cast<const char*>(s.bits.data()), s.bits.size()); }
    void bytes(std::string_view b) { out_.append(b); }
    // A text as one length byte and its characters; longer texts are cut at 255.
    void shortString(std::string_view s)
    {
        if (s.size() > 255)
            s = s.substr(0, 255);
        u8(unsigned(s.size()));
        bytes(s);
    }
    // A text as a 32-bit length and its characters.
    void longString(std::string_view s)
    {
        u32(uint32_t(s.size()));
        bytes(s);
    }
    const std::string& data() const { return out_; }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

class CorruptFormError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ByteReader final {
public:
    explicit ByteReader(std::string_view data) : data_(data) {}

    unsigned u8()
    {
        need(1);
        return uint8_t(data_[pos_++]);
    }
    unsigned u16()
    {
        unsigned lo = u8();
        return lo | (u8() << 8);
    }
    uint32_t u32()
    {
        uint32_t lo = u16();
        return lo | (uint32_t(u16()) << 16);
    }
    int32_t i32() { return int32_t(u32()); }
    StateSet set()
    {
        need(32);
        StateSet s;
        for (auto& b : s.bits)
            b = uint8_t(data_[pos_++]);
        return s;
    }
    std::string bytes(size_t n)
    {
        need(n);
        std::string s(data_.substr(pos_, n));
        pos_ += n;
        return s;
    }
    std::string shortString() { return bytes(u8()); }
    std::string longString() { return bytes(u32()); }
    // A count that must fit the remaining data with at least minBytes per item.
    uint32_t count(size_t minBytes)
    {
        uint32_t n = u32();
        if (minBytes && n > (data_.size() - pos_) / minBytes)
            throw CorruptFormError("Compiled parser data is damaged");
        return n;
    }
    bool atEnd() const { return pos_ >= data_.size(); }
    size_t position() const { return pos_; }

private:
    void need(size_t n)
    {
        if (data_.size() - pos_ < n)
            throw CorruptFormError("Compiled parser data is damaged");
    }
    std::string_view data_;
    size_t pos_ = 0;
};

}  // namespace quarry
