#include "regview/RegisterKeyQueue.h"

namespace quarry {

bool RegisterKeyQueue::Push(QueuedKey key)
{
    if (count_ == kCapacity)
        return false;
    keys_[(first_ + count_) % kCapacity] = key;
    ++count_;
    return true;
}

std::optional<QueuedKey> RegisterKeyQueue::Pop()
{
    if (count_ == 0)
        return std::nullopt;
    const QueuedKey key = keys_[first_];
    first_ = (first_ + 1) % kCapacity;
    --count_;
    return key;
}

}  // namespace quarry
