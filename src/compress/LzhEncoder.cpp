#include "compress/LzhEncoder.h"

#include "compress/CompressorSource.h"
#include "compress/LzhBitWriter.h"
#include "compress/LzhHuffmanTree.h"
#include "compress/LzhPositionCode.h"

#include <algorithm>
#include <cstring>

namespace quarry {

namespace {

constexpr std::size_t kHashBits = 15;
constexpr std::size_t kChainSize = 2 * lzh::kRingSize;
constexpr int kMaxChainSteps = 256;
constexpr std::int64_t kNone = -1;
constexpr std::size_t kReadChunk = 65536;
// The window keeps a full history behind the current position and a look-ahead beyond one match
// for the lazy step, so reading only ever happens between items.
constexpr std::size_t kKeepAhead = 2 * lzh::kMaxMatch + 4;
constexpr std::size_t kWindowSize = lzh::kRingSize + kKeepAhead + 2 * kReadChunk;
// Copies at least this long are always cheaper than literals.
constexpr std::size_t kSureLength = 8;

}  // namespace

LzhEncoder::LzhEncoder(CompressorSource& in, std::uint64_t size)
    : in_(in),
      dataEnd_(lzh::kBlankPrefix + size),
      window_(kWindowSize),
      head_(std::size_t{1} << kHashBits, kNone),
      previous_(kChainSize, kNone),
      tree_(std::make_unique<LzhHuffmanTree>())
{
    std::fill_n(window_.begin(), lzh::kBlankPrefix, lzh::kBlank);
    loaded_ = lzh::kBlankPrefix;
}

LzhEncoder::~LzhEncoder() = default;

unsigned LzhEncoder::hashAt(const std::uint8_t* p)
{
    const std::uint32_t v = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
    return (v * 2654435761u) >> (32 - kHashBits);
}

void LzhEncoder::fill()
{
    if (loaded_ == dataEnd_)
        return;
    // Slide: keep one ring of history behind the oldest position still to be matched.
    const std::uint64_t keepFrom = loaded_ > lzh::kRingSize + kKeepAhead ? loaded_ - lzh::kRingSize - kKeepAhead : 0;
    if (keepFrom > base_ && window_.size() - (loaded_ - base_) < kReadChunk) {
        const std::size_t kept = static_cast<std::size_t>(loaded_ - keepFrom);
        std::memmove(window_.data(), at(keepFrom), kept);
        base_ = keepFrom;
    }
    const std::size_t room = window_.size() - static_cast<std::size_t>(loaded_ - base_);
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>({kReadChunk, room, dataEnd_ - loaded_}));
    in_.readExact(window_.data() + (loaded_ - base_), want, ReadContext::Plain);
    loaded_ += want;
}

void LzhEncoder::insert(std::uint64_t position)
{
    if (position + lzh::kMinMatch > loaded_)
        return;
    const unsigned h = hashAt(at(position));
    previous_[position % kChainSize] = head_[h];
    head_[h] = static_cast<std::int64_t>(position);
}

LzhEncoder::Match LzhEncoder::longestMatch(std::uint64_t position) const
{
    Match best;
    const std::size_t limit = static_cast<std::size_t>(std::min<std::uint64_t>(lzh::kMaxMatch, dataEnd_ - position));
    if (limit < lzh::kMinMatch)
        return best;
    const std::uint8_t* here = at(position);
    const std::uint64_t oldest = position > lzh::kRingSize ? position - lzh::kRingSize : 0;
    std::int64_t candidate = head_[hashAt(here)];
    for (int step = 0; step < kMaxChainSteps && candidate >= static_cast<std::int64_t>(oldest); ++step) {
        const auto from = static_cast<std::uint64_t>(candidate);
        if (from >= position)
            break;  // a stale link from an overwritten chain slot
        const std::uint8_t* there = at(from);
        if (there[best.length] == here[best.length] || best.length == 0) {
            std::size_t n = 0;
            while (n < limit && there[n] == here[n])
                ++n;
            if (n > best.length) {
                best.length = n;
                best.distance = position - from;
                if (n == limit)
                    break;
            }
        }
        const std::int64_t next = previous_[from % kChainSize];
        if (next >= candidate)
            break;
        candidate = next;
    }
    if (best.length < lzh::kMinMatch)
        best.length = 0;
    return best;
}

bool LzhEncoder::worthCopying(const Match& match, std::uint64_t position) const
{
    if (match.length >= kSureLength)
        return true;
    const unsigned copyBits = tree_->codeLength(static_cast<int>(match.length) + lzh::kLengthBias) +
                              LzhPositionCode::instance().positionLength(static_cast<unsigned>(match.distance - 1));
    unsigned literalBits = 0;
    const std::uint8_t* p = at(position);
    for (std::size_t i = 0; i < match.length && literalBits < copyBits; ++i)
        literalBits += tree_->codeLength(p[i]);
    return copyBits <= literalBits;
}

void LzhEncoder::encode(CompressorSink& out, std::uint8_t* outBuffer, std::size_t bufferSize)
{
    if (dataEnd_ == lzh::kBlankPrefix)
        return;
    LzhBitWriter bits(out, outBuffer, bufferSize);
    const auto& positions = LzhPositionCode::instance();
    fill();
    // The blanks just before the input can be copied like any history.
    for (std::uint64_t p = lzh::kBlankPrefix - lzh::kMaxMatch; p < lzh::kBlankPrefix; ++p)
        insert(p);

    std::uint64_t position = lzh::kBlankPrefix;
    Match current = longestMatch(position);
    while (position < dataEnd_) {
        if (loaded_ - position < kKeepAhead)
            fill();
        insert(position);
        Match next;
        const bool lookedAhead = current.length > 0 && current.length < lzh::kMaxMatch && position + 1 < dataEnd_;
        if (lookedAhead)
            next = longestMatch(position + 1);
        if (current.length == 0 || next.length > current.length || !worthCopying(current, position)) {
            tree_->encode(*at(position), bits);
            ++position;
            if (position == dataEnd_)
                break;
            current = lookedAhead ? next : longestMatch(position);
            continue;
        }
        tree_->encode(static_cast<int>(current.length) + lzh::kLengthBias, bits);
        const unsigned code = static_cast<unsigned>(current.distance - 1);
        const auto upper = positions.encode(code >> 6);
        bits.put(upper.bits, upper.length);
        bits.put(code & 63, 6);
        for (std::uint64_t p = position + 1; p < position + current.length; ++p)
            insert(p);
        position += current.length;
        if (position < dataEnd_ && loaded_ - position < kKeepAhead)
            fill();
        current = position < dataEnd_ ? longestMatch(position) : Match{};
    }
    bits.finish();
}

}  // namespace quarry
