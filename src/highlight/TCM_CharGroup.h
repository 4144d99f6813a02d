#pragma once
// One character specifier of a highlighting script compiled to a set of characters: a single
// character "a", a range "a-z" or a class "[...]" with "^" for the complement.
#include "highlight/ByteStream.h"
#include "highlight/StateSet.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quarry {

class TCM_CharGroup final {
public:
    TCM_CharGroup() = default;
    TCM_CharGroup(const StateSet& chars, bool negated) : chars_(chars), negated_(negated) {}

    bool contains(unsigned char c) const { return chars_.has(c) != negated_; }
    // With utf8Letters a byte from 0x80 on counts as a letter: in the group when the group
    // holds letters (its complement when negated).
    bool contains(unsigned char c, bool utf8Letters) const
    {
        if (utf8Letters && c >= 0x80)
            return (chars_.has('a') || chars_.has('A')) != negated_;
        return contains(c);
    }
    // The empty group (no characters, not negated) puts no condition on what follows a word.
    bool isEmpty() const { return !negated_ && chars_.empty(); }
    bool negated() const { return negated_; }
    const StateSet& chars() const { return chars_; }
    // True when the specifier was written as a range "a-z" (token tables keep those in a range list).
    bool isRange() const { return rangeLow_ >= 0; }
    int rangeLow() const { return rangeLow_; }
    int rangeHigh() const { return rangeHigh_; }
    void markRange(int low, int high)
    {
        rangeLow_ = low;
        rangeHigh_ = high;
    }
    // The characters the group admits, with the negation applied.
    StateSet effective() const { return negated_ ? chars_.complement() : chars_; }

    void write(ByteWriter& out) const;
    static TCM_CharGroup read(ByteReader& in);

    bool operator==(const TCM_CharGroup& o) const { return negated_ == o.negated_ && chars_ == o.chars_; }

    // Splits a specifier text into its groups. Raises SpecifierError with
    // "Characters not in correct order for range specifier" for a descending range.
    static std::vector<TCM_CharGroup> parseSpecifiers(std::string_view text);
    // "[a-c]", "[^\"]", "'x'": a printable dump for tests.
    std::string dump() const;

private:
    StateSet chars_;
    bool negated_ = false;
    int rangeLow_ = -1;
    int rangeHigh_ = -1;
};

class SpecifierError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Keeps every distinct group once so that tables refer to groups by a 16-bit index.
// invariant: group 0 is the empty group.
class TCM_CharGroupManager final {
public:
    TCM_CharGroupManager() { clear(); }

    uint16_t intern(const TCM_CharGroup& group);
    const TCM_CharGroup& at(size_t index) const { return groups_[index < groups_.size() ? index : 0]; }
    size_t size() const { return groups_.size(); }
    void clear()
    {
        groups_.clear();
        index_.clear();
        groups_.emplace_back();
        index_.emplace(key(groups_.front()), 0);
    }

private:
    static std::string key(const TCM_CharGroup& g)
    {
        std::string k(g.chars().bits.begin(), g.chars().bits.end());
        k += g.negated() ? '1' : '0';
        return k;
    }
    std::vector<TCM_CharGroup> groups_;
    std::unordered_map<std::string, uint16_t> index_;  // key of each group to its index
};

}  // namespace quarry
