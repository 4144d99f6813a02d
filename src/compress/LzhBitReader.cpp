#include "compress/LzhBitReader.h"

namespace quarry {

void LzhBitReader::refill()
{
    while (count_ <= 56) {
        if (next_ == end_ && !atEnd_) {
            end_ = source_.read(buffer_, capacity_, ReadContext::Lzh);
            next_ = 0;
            atEnd_ = end_ == 0;
        }
        std::uint8_t byte = 0;
        if (next_ < end_)
            byte = buffer_[next_++];
        else
            inventedBits_ += 8;
        window_ |= std::uint64_t{byte} << (56 - count_);
        count_ += 8;
    }
}

bool LzhBitReader::wholeByteLeft()
{
    if (count_ >= inventedBits_ + 8 || next_ < end_)
        return true;
    if (atEnd_)
        return false;
    end_ = source_.read(buffer_, capacity_, ReadContext::Lzh);
    next_ = 0;
    atEnd_ = end_ == 0;
    return end_ > 0;
}

}  // namespace quarry
