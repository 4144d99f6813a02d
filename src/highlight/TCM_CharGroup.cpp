#include "highlight/TCM_CharGroup.h"

#include <cstdio>

namespace quarry {

namespace {

constexpr const char* kRangeOrder = "Characters not in correct order for range specifier";

// Reads the body of a class after "[" (and "^"); a "]" first in the class and a "-" first or
// last are plain characters, as in the usual bracket notation.
size_t parseClass(std::string_view text, size_t pos, StateSet& chars)
{
    size_t start = pos;
    while (pos < text.size()) {
        unsigned char c = text[pos];
        if (c == ']' && pos > start)
            return pos + 1;
        if (pos + 2 < text.size() && text[pos + 1] == '-' && text[pos + 2] != ']') {
            unsigned char high = text[pos + 2];
            if (high < c)
                throw SpecifierError(kRangeOrder);
            chars.addRange(c, high);
            pos += 3;
            continue;
        }
        chars.add(c);
        ++pos;
    }
    return std::string_view::npos;
}

}  // namespace

std::vector<TCM_CharGroup> TCM_CharGroup::parseSpecifiers(std::string_view text)
{
    std::vector<TCM_CharGroup> groups;
    size_t pos = 0;
    while (pos < text.size()) {
        unsigned char c = text[pos];
        if (c == '[' && pos + 1 < text.size()) {
            size_t body = pos + 1;
            bool negated = text[body] == '^' && body + 1 < text.size();
            if (negated)
                ++body;
            StateSet chars;
            size_t end = parseClass(text, body, chars);
            if (end != std::string_view::npos) {
                groups.emplace_back(chars, negated);
                pos = end;
                continue;
            }
            // An unclosed "[" is the character itself.
        }
        if (pos + 2 < text.size() && text[pos + 1] == '-') {
            unsigned char high = text[pos + 2];
            if (high < c)
                throw SpecifierError(kRangeOrder);
            StateSet chars;
            chars.addRange(c, high);
            TCM_CharGroup range(chars, false);
            range.markRange(c, high);
            groups.push_back(range);
            pos += 3;
            continue;
        }
        groups.emplace_back(StateSet::of({c}), false);
        ++pos;
    }
    return groups;
}

void TCM_CharGroup::write(ByteWriter& out) const
{
    out.u8(negated_ ? 1 : 0);
    out.set(chars_);
}

TCM_CharGroup TCM_CharGroup::read(ByteReader& in)
{
    bool negated = in.u8() != 0;
    return TCM_CharGroup(in.set(), negated);
}

std::string TCM_CharGroup::dump() const
{
    std::string out = negated_ ? "[^" : "[";
    for (int c = 0; c < 256; ++c) {
        if (!chars_.has(c))
            continue;
        int high = c;
        while (high + 1 < 256 && chars_.has(high + 1))
            ++high;
        auto put = [&](int ch) {
            if (ch > 32 && ch < 127) {
                out += char(ch);
            } else {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02x", ch);
                out += buf;
            }
        };
        put(c);
        if (high > c) {
            if (high > c + 1)
                out += '-';
            put(high);
        }
        c = high;
    }
    return out + "]";
}

uint16_t TCM_CharGroupManager::intern(const TCM_CharGroup& group)
{
    const std::string k = key(group);
    if (auto it = index_.find(k); it != index_.end())
        return it->second;
    // Tables refer to groups by 16 bits; a script with more distinct specifiers is refused.
    if (groups_.size() > 0xFFFF)
        throw SpecifierError("Script syntax error");
    groups_.push_back(group);
    index_.emplace(k, uint16_t(groups_.size() - 1));
    return uint16_t(groups_.size() - 1);
}

}  // namespace quarry
