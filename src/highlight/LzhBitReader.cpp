#include "highlight/LzhBitReader.h"

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

}  // namespace quarry
