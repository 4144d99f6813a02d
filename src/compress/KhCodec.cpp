#include "compress/KhCodec.h"

#include "compress/CompressorMessages.h"
#include "compress/CompressorSink.h"
#include "compress/CompressorSource.h"
#include "compress/ECompressorException.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace quarry {

namespace {

constexpr std::size_t kMaxRun = 4095;
constexpr std::size_t kMinRun = 16;
constexpr std::size_t kMinCopy = 3;
constexpr std::size_t kMaxCopy = 18;
constexpr std::size_t kMaxOffset = 4095;
constexpr int kItemsPerGroup = 16;

[[noreturn]] void failDamaged()
{
    throw ECompressorException(compressorText(CompressorMessage::SizeMismatchKh));
}

inline unsigned hashOf(const std::uint8_t* p)
{
    const std::uint32_t mixed = ((((std::uint32_t{p[0]} << 4) ^ p[1]) << 4) ^ p[2]);
    return ((mixed * 40543u) >> 4) & 0xFFFu;
}

inline std::size_t runLength(const std::uint8_t* p, std::size_t limit)
{
    std::size_t n = 1;
    while (n < limit && p[n] == p[0])
        ++n;
    return n;
}

inline std::size_t matchLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit)
{
    std::size_t n = 0;
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

// Appends items to a body and keeps the control word of the current group.
// invariant: controlAt is the reserved place of the group's word; items <= 16.
class ItemWriter {
public:
    explicit ItemWriter(std::uint8_t* body) : body_(body) { body_[0] = KhCodec::kCompressedTag; }

    std::size_t length() const { return out_; }

    void literal(std::uint8_t c)
    {
        startItem(false);
        body_[out_++] = c;
    }
    void copy(std::size_t offset, std::size_t length)
    {
        startItem(true);
        body_[out_++] = static_cast<std::uint8_t>(offset >> 4);
        body_[out_++] = static_cast<std::uint8_t>(((offset & 15) << 4) | (length - kMinCopy));
    }
    void run(std::uint8_t c, std::size_t count)
    {
        startItem(true);
        const std::size_t stored = count - kMinRun;
        body_[out_++] = 0;
        body_[out_++] = static_cast<std::uint8_t>(stored >> 8);
        body_[out_++] = static_cast<std::uint8_t>(stored & 0xFF);
        body_[out_++] = c;
    }
    // The last group's word is shifted so that its first item sits in the top bit.
    void finish()
    {
        if (items_ > 0)
            storeControl(static_cast<std::uint16_t>(control_ << (kItemsPerGroup - items_)));
    }

private:
    void startItem(bool flagged)
    {
        if (items_ == kItemsPerGroup) {
            storeControl(control_);
            controlAt_ = out_;
            out_ += 2;
            items_ = 0;
            control_ = 0;
        }
        control_ = static_cast<std::uint16_t>((control_ << 1) | (flagged ? 1 : 0));
        ++items_;
    }
    void storeControl(std::uint16_t word)
    {
        body_[controlAt_] = static_cast<std::uint8_t>(word >> 8);
        body_[controlAt_ + 1] = static_cast<std::uint8_t>(word & 0xFF);
    }

    std::uint8_t* body_;
    std::size_t out_ = 3;
    std::size_t controlAt_ = 1;
    std::uint16_t control_ = 0;
    int items_ = 0;
};

// Copies `length` (3..18) bytes from `offset` back, with the result of a byte-by-byte copy (a
// short offset repeats the bytes just written). With an offset of 8 or more and room to spare it
// always moves 24 bytes, 8 at a time without a branch on the length; the bytes past the copy are
// written again later. Each 8-byte read lies wholly before the write it feeds.
inline void copyBack(std::uint8_t* to, std::size_t offset, std::size_t length, std::size_t room)
{
    const std::uint8_t* from = to - offset;
    if (offset >= 8 && room >= 24) {
        std::uint64_t chunk;
        std::memcpy(&chunk, from, 8);
        std::memcpy(to, &chunk, 8);
        std::memcpy(&chunk, from + 8, 8);
        std::memcpy(to + 8, &chunk, 8);
        std::memcpy(&chunk, from + 16, 8);
        std::memcpy(to + 16, &chunk, 8);
        return;
    }
    for (std::size_t i = 0; i < length; ++i)
        to[i] = from[i];
}

std::size_t storePiece(const std::uint8_t* piece, std::size_t n, std::uint8_t* body)
{
    body[0] = KhCodec::kStoredTag;
    if (n > 0)
        std::memcpy(body + 1, piece, n);
    return n + 1;
}

}  // namespace

KhCodec::KhCodec()
{
    try {
        positions_ = std::make_unique<std::array<std::uint16_t, 4096>>();
    } catch (const std::bad_alloc&) {
        throw ECompressorException(compressorText(CompressorMessage::NoMemoryForHashTable));
    }
}

std::size_t KhCodec::compressPiece(const std::uint8_t* piece, std::size_t n, std::uint8_t* body)
{
    if (n == 0)
        return storePiece(piece, n, body);
    auto& positions = *positions_;
    positions.fill(kUnset);
    ItemWriter items(body);
    std::size_t pos = 0;
    while (pos < n) {
        // Stop as soon as the body outgrows the piece: it will be stored, and the buffer's slack
        // only covers one item past that point.
        if (items.length() > n)
            return storePiece(piece, n, body);
        const std::uint8_t c = piece[pos];
        const std::size_t run = runLength(piece + pos, std::min(kMaxRun, n - pos));
        if (run >= kMinRun) {
            items.run(c, run);
            pos += run;
            continue;
        }
        if (n - pos >= kMinCopy) {
            const unsigned key = hashOf(piece + pos);
            const std::uint16_t earlier = positions[key];
            positions[key] = static_cast<std::uint16_t>(pos);
            if (earlier != kUnset && pos - earlier <= kMaxOffset) {
                const std::size_t length =
                    matchLength(piece + earlier, piece + pos, std::min(kMaxCopy, n - pos));
                if (length >= kMinCopy) {
                    items.copy(pos - earlier, length);
                    pos += length;
                    continue;
                }
            }
        }
        items.literal(c);
        ++pos;
    }
    items.finish();
    if (items.length() > n)
        return storePiece(piece, n, body);
    return items.length();
}

std::size_t KhCodec::decompressBlock(const std::uint8_t* body, std::size_t bodyLength, std::uint8_t* out)
{
    if (bodyLength < 2)
        return 0;
    if (body[0] == kStoredTag) {
        if (bodyLength - 1 > kPieceSize)
            failDamaged();
        std::memcpy(out, body + 1, bodyLength - 1);
        return bodyLength - 1;
    }
    if (body[0] != kCompressedTag)
        failDamaged();

    std::size_t pos = 1;
    std::size_t produced = 0;
    while (pos < bodyLength) {
        if (bodyLength - pos < 2)
            failDamaged();
        // The group's flags, top bit first; literals in a row are taken together, as runs of
        // literals dominate text and a branch per literal would dominate the time.
        std::uint16_t control = static_cast<std::uint16_t>((unsigned{body[pos]} << 8) | body[pos + 1]);
        pos += 2;
        int itemsLeft = kItemsPerGroup;
        while (itemsLeft > 0 && pos < bodyLength) {
            if ((control & 0x8000) == 0) {
                const auto literals = std::min<std::size_t>(
                    {static_cast<std::size_t>(std::min(std::countl_zero(control), itemsLeft)), bodyLength - pos});
                if (literals > kPieceSize - produced)
                    failDamaged();
                if (bodyLength - pos >= 16 && kBufferSize - produced >= 16)
                    std::memcpy(out + produced, body + pos, 16);
                else
                    std::memcpy(out + produced, body + pos, literals);
                pos += literals;
                produced += literals;
                itemsLeft -= static_cast<int>(literals);
                control = static_cast<std::uint16_t>(literals >= 16 ? 0 : control << literals);
                continue;
            }
            control = static_cast<std::uint16_t>(control << 1);
            --itemsLeft;
            if (bodyLength - pos < 2)
                failDamaged();
            const std::size_t offset = (std::size_t{body[pos]} << 4) | (body[pos + 1] >> 4);
            if (offset == 0) {
                if (bodyLength - pos < 4)
                    failDamaged();
                const std::size_t count = (((std::size_t{body[pos + 1]} & 15) << 8) | body[pos + 2]) + kMinRun;
                if (count > kPieceSize - produced)
                    failDamaged();
                std::memset(out + produced, body[pos + 3], count);
                produced += count;
                pos += 4;
                continue;
            }
            const std::size_t length = (body[pos + 1] & 15) + kMinCopy;
            pos += 2;
            if (offset > produced || length > kPieceSize - produced)
                failDamaged();
            copyBack(out + produced, offset, length, kBufferSize - produced);
            produced += length;
        }
    }
    return produced;
}

void KhCodec::compress(CompressorSource& in, std::uint64_t size, CompressorSink& out, std::uint8_t* inBuffer,
                       std::uint8_t* outBuffer)
{
    std::uint64_t remaining = size;
    std::size_t piece = 0;
    // A full last piece is followed by an empty block: a short block is what ends the sequence.
    do {
        piece = static_cast<std::size_t>(std::min<std::uint64_t>(kPieceSize, remaining));
        in.readExact(inBuffer, piece, ReadContext::Plain);
        const std::size_t bodyLength = compressPiece(inBuffer, piece, outBuffer + 2);
        outBuffer[0] = static_cast<std::uint8_t>(bodyLength & 0xFF);
        outBuffer[1] = static_cast<std::uint8_t>(bodyLength >> 8);
        out.write(outBuffer, bodyLength + 2);
        remaining -= piece;
    } while (piece == kPieceSize);
}

std::uint64_t KhCodec::decompress(CompressorSource& in, std::uint64_t size, CompressorSink& out,
                                  std::uint8_t* inBuffer, std::uint8_t* outBuffer)
{
    std::uint64_t produced = 0;
    std::size_t piece = 0;
    do {
        std::uint8_t lengthBytes[2];
        in.readExact(lengthBytes, 2, ReadContext::Kh);
        const std::size_t bodyLength = lengthBytes[0] | (std::size_t{lengthBytes[1]} << 8);
        if (bodyLength > kPieceSize + 1)
            failDamaged();
        in.readExact(inBuffer, bodyLength, ReadContext::Kh);
        piece = decompressBlock(inBuffer, bodyLength, outBuffer);
        if (piece > size - produced)
            failDamaged();
        out.write(outBuffer, piece);
        produced += piece;
    } while (piece == kPieceSize);
    if (produced != size)
        failDamaged();
    return produced;
}

}  // namespace quarry
