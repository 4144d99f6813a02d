#include "TokenListWriter.h"

namespace quarry::hl {

void TokenListWriter::number(long long value)
{
    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    do {
        *--p = char('0' + value % 10);
        value /= 10;
    } while (value);
    block_.append(p, size_t(end - p));
}

void TokenListWriter::add(long long offset, long long length, int value)
{
    number(offset);
    block_ += ' ';
    number(length);
    block_ += ' ';
    number(value);
    block_ += '\n';
    if (block_.size() >= kBlock)
        flush();
}

void TokenListWriter::flush()
{
    out_.write(block_.data(), std::streamsize(block_.size()));
    block_.clear();
}

}  // namespace quarry::hl
