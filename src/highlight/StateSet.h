#pragma once
// A set of the numbers 0..255 in 32 bytes, bit n in byte n / 8. It is both the scanner's state
// set and the character set of a character group; the byte layout is the stored form.
#include <array>
#include <cstdint>
#include <string>

namespace quarry {

struct StateSet {
    std::array<uint8_t, 32> bits{};

    static StateSet of(std::initializer_list<int> members)
    {
        StateSet s;
        for (int m : members)
            s.add(m);
        return s;
    }
    static StateSet all()
    {
        StateSet s;
        s.bits.fill(0xFF);
        return s;
    }

    bool has(int n) const { return (bits[(n >> 3) & 31] >> (n & 7)) & 1; }
    void add(int n) { bits[(n >> 3) & 31] |= uint8_t(1u << (n & 7)); }
    void remove(int n) { bits[(n >> 3) & 31] &= uint8_t(~(1u << (n & 7))); }
    void addRange(int low, int high)
    {
        for (int n = low; n <= high; ++n)
            add(n);
    }

    bool empty() const
    {
        for (uint8_t b : bits)
            if (b)
                return false;
        return true;
    }
    bool meets(const StateSet& o) const
    {
        for (size_t i = 0; i < bits.size(); ++i)
            if (bits[i] & o.bits[i])
                return true;
        return false;
    }
    int lowest() const
    {
        for (int n = 0; n < 256; ++n)
            if (has(n))
                return n;
        return -1;
    }

    StateSet& operator|=(const StateSet& o)
    {
        for (size_t i = 0; i < bits.size(); ++i)
            bits[i] |= o.bits[i];
        return *this;
    }
    StateSet& operator&=(const StateSet& o)
    {
        for (size_t i = 0; i < bits.size(); ++i)
            bits[i] &= o.bits[i];
        return *this;
    }
    StateSet& subtract(const StateSet& o)
    {
        for (size_t i = 0; i < bits.size(); ++i)
            bits[i] &= uint8_t(~o.bits[i]);
        return *this;
    }
    StateSet complement() const
    {
        StateSet s;
        for (size_t i = 0; i < bits.size(); ++i)
            s.bits[i] = uint8_t(~bits[i]);
        return s;
    }
    bool operator==(const StateSet&) const = default;

    // "{0,3,7}": the printable dump used by tests and the tokens command.
    std::string dump() const
    {
        std::string out = "{";
        for (int n = 0; n < 256; ++n) {
            if (!has(n))
                continue;
            if (out.size() > 1)
                out += ',';
            out += std::to_string(n);
        }
        return out + "}";
    }
};

}  // namespace quarry
