#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>

namespace quarry {

// A set of the numbers 0..255 held as 32 bytes, bit n in byte n div 8: the form in which scanner
// states, anchor sets and token-value sets are stored and compared.
class TStateSet final {
public:
    constexpr TStateSet() = default;
    constexpr TStateSet(std::initializer_list<int> members) {
        for (int m : members) Add(m);
    }

    constexpr bool Contains(int n) const { return (bytes_[Index(n)] >> (n & 7)) & 1u; }
    constexpr void Add(int n) { bytes_[Index(n)] = static_cast<std::uint8_t>(bytes_[Index(n)] | (1u << (n & 7))); }
    constexpr void Remove(int n) { bytes_[Index(n)] = static_cast<std::uint8_t>(bytes_[Index(n)] & ~(1u << (n & 7))); }
    constexpr void Clear() { bytes_ = {}; }

    constexpr bool Empty() const {
        for (auto b : bytes_)
            if (b) return false;
        return true;
    }
    constexpr bool Meets(const TStateSet& other) const {
        for (std::size_t i = 0; i < bytes_.size(); ++i)
            if (bytes_[i] & other.bytes_[i]) return true;
        return false;
    }
    // The lowest member, -1 when empty.
    constexpr int Lowest() const {
        for (int n = 0; n < 256; ++n)
            if (Contains(n)) return n;
        return -1;
    }

    constexpr TStateSet& operator|=(const TStateSet& o) {
        for (std::size_t i = 0; i < bytes_.size(); ++i) bytes_[i] |= o.bytes_[i];
        return *this;
    }
    constexpr TStateSet& operator&=(const TStateSet& o) {
        for (std::size_t i = 0; i < bytes_.size(); ++i) bytes_[i] &= o.bytes_[i];
        return *this;
    }
    // Set difference.
    constexpr TStateSet& operator-=(const TStateSet& o) {
        for (std::size_t i = 0; i < bytes_.size(); ++i) bytes_[i] = static_cast<std::uint8_t>(bytes_[i] & ~o.bytes_[i]);
        return *this;
    }
    friend constexpr bool operator==(const TStateSet&, const TStateSet&) = default;

    // The stored form: 32 bytes.
    const std::array<std::uint8_t, 32>& Bytes() const { return bytes_; }
    std::array<std::uint8_t, 32>& Bytes() { return bytes_; }

private:
    static constexpr std::size_t Index(int n) { return static_cast<std::size_t>(n & 255) >> 3; }
    std::array<std::uint8_t, 32> bytes_{};
};

}  // namespace quarry
