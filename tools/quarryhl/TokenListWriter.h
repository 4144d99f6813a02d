#pragma once
// Tokens as "quarryhl tokens" lists them: one "offset length value" line each, written in
// blocks so that a large text costs no more than its lines.
#include <ostream>
#include <string>

namespace quarry::hl {

class TokenListWriter final {
public:
    explicit TokenListWriter(std::ostream& out) : out_(out) { block_.reserve(kBlock + 64); }
    TokenListWriter(const TokenListWriter&) = delete;  // holds unwritten lines
    TokenListWriter& operator=(const TokenListWriter&) = delete;

    void add(long long offset, long long length, int value);
    // Writes the lines still held.
    void flush();

private:
    static constexpr size_t kBlock = 1 << 16;
    void number(long long value);

    std::ostream& out_;
    std::string block_;
};

}  // namespace quarry::hl
