// Damaged and hostile compressed streams: 100,000 deterministic mutations of valid KH and LZH
// streams. Every one must either decode to exactly the size its header gives or raise one of
// the decoders' messages; the sanitizer build turns any read or write out of bounds into a
// failure. KH results are also compared with a plain reference decoder written from the format.
#include "TCompressorTestData.h"

#include "compress/TCompressor.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

using quarry::CompressionMethod;
using quarry::ECompressorException;
using quarry::TCompressor;
using quarry::test::bytes;
using quarry::test::cText;
using quarry::test::khStream;
using quarry::test::randomBytes;

namespace {

constexpr int kMutants = 100000;

std::uint32_t declaredSize(const std::string& s)
{
    std::uint32_t size = 0;
    for (int i = 0; i < 4; ++i)
        size |= std::uint32_t{static_cast<unsigned char>(s[4 + i])} << (8 * i);
    return size;
}

// The KH format read as plainly as possible: one byte at a time, a string for the output.
std::optional<std::string> referenceKh(const std::string& s)
{
    if (s.size() < 8 || s.compare(0, 4, "WRZL") != 0)
        return std::nullopt;
    const std::uint32_t size = declaredSize(s);
    auto at = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(s[i])); };
    std::string out;
    std::size_t p = 8;
    for (;;) {
        if (p + 2 > s.size())
            return std::nullopt;
        const std::size_t length = at(p) | (at(p + 1) << 8);
        p += 2;
        if (length > 32769 || p + length > s.size())
            return std::nullopt;
        std::string block;
        if (length >= 2 && at(p) == 0x80) {
            block = s.substr(p + 1, length - 1);
        } else if (length >= 2 && at(p) == 0x40) {
            std::size_t q = p + 1;
            const std::size_t end = p + length;
            while (q < end) {
                if (end - q < 2)
                    return std::nullopt;
                unsigned control = (at(q) << 8) | at(q + 1);
                q += 2;
                for (int item = 0; item < 16 && q < end; ++item, control <<= 1) {
                    if ((control & 0x8000) == 0) {
                        block += s[q++];
                    } else {
                        if (end - q < 2)
                            return std::nullopt;
                        const unsigned offset = at(q) * 16 + (at(q + 1) >> 4);
                        if (offset == 0) {
                            if (end - q < 4)
                                return std::nullopt;
                            block.append(((at(q + 1) & 15) * 256 + at(q + 2)) + 16, s[q + 3]);
                            q += 4;
                        } else {
                            if (offset > block.size())
                                return std::nullopt;
                            for (unsigned k = 0; k < (at(q + 1) & 15) + 3; ++k)
                                block += block[block.size() - offset];
                            q += 2;
                        }
                    }
                    if (block.size() > 32768)
                        return std::nullopt;
                }
            }
        } else if (length >= 2) {
            return std::nullopt;
        }
        p += length;
        out += block;
        if (out.size() > size)
            return std::nullopt;
        if (block.size() < 32768)
            break;
    }
    if (out.size() != size)
        return std::nullopt;
    return out;
}

std::vector<std::string> seeds()
{
    auto kh = [](const std::string& s) { return TCompressor::CompressBytes(s, CompressionMethod::KH); };
    auto lzh = [](const std::string& s) { return TCompressor::CompressBytes(s, CompressionMethod::LZH); };
    const std::string text = cText(800, 3);
    const std::string runs = std::string(40, 'a') + "abcabcabc" + std::string(300, ' ') + cText(200, 4) +
                             std::string(1200, 'z');
    const std::string noise = randomBytes(200, 8);
    return {
        kh(text), kh(runs), kh(noise), kh(""), kh(std::string(32768, 'm') + "tail"),
        khStream(4113, bytes({0x40, 0xC0, 0x00, 0, 0x0F, 0xEF, 'a', 0xFF, 0xFF})),
        lzh(text), lzh(runs), lzh(noise), lzh(""), lzh(std::string(300, ' ') + "x"),
    };
}

// One to three random damages of the kinds real files suffer, and the ones an attacker picks.
std::string mutate(std::string s, std::mt19937& random)
{
    const int damages = 1 + static_cast<int>(random() % 3);
    for (int d = 0; d < damages; ++d) {
        auto anywhere = [&] { return s.empty() ? std::size_t{0} : random() % s.size(); };
        switch (random() % 9) {
        case 0:
            if (!s.empty())
                s[anywhere()] ^= static_cast<char>(1u << (random() % 8));
            break;
        case 1:
            if (!s.empty())
                s[anywhere()] = static_cast<char>(random());
            break;
        case 2:
            s.resize(anywhere());
            break;
        case 3:
            s.insert(anywhere(), randomBytes(1 + random() % 8, random()));
            break;
        case 4: {
            const std::size_t from = anywhere();
            s.erase(from, random() % 16);
            break;
        }
        case 5:  // a size that lies, a little or wildly
            if (s.size() >= 8) {
                std::uint32_t size = declaredSize(s);
                size = random() % 2 ? size + static_cast<std::uint32_t>(random() % 64) - 32 : random();
                for (int i = 0; i < 4; ++i)
                    s[4 + i] = static_cast<char>(size >> (8 * i));
            }
            break;
        case 6:  // the other method's magic over this method's data
            if (s.size() >= 4)
                s.replace(0, 4, s[0] == 'W' ? "!HZL" : "WRZL");
            break;
        case 7:  // a 16-bit field (a KH block length) set to anything
            if (s.size() >= 10) {
                const std::size_t at = 8 + random() % (s.size() - 9);
                s[at] = static_cast<char>(random());
                s[at + 1] = static_cast<char>(random() % 4 == 0 ? 0x80 : random());
            }
            break;
        default: {  // a piece of the stream repeated somewhere else
            const std::size_t from = anywhere();
            const std::string piece = s.substr(from, random() % 32);
            s.insert(anywhere(), piece);
            break;
        }
        }
    }
    return s;
}

TEST(HostileStreams, DecodeToTheirSizeOrRaiseADecoderMessage)
{
    const std::set<std::string> allowed{
        "Compressor decompression : input stream contains no valid header !",
        "Compressor : Error reading from input stream ! (Compressor/KH)",
        "Compressor (decompression Compressor/KH) : Original and compressed sizes do not match !",
        "Compressor : Error reading from input stream ! (LZH)",
        "Compressor (LZH decompression) : Original and compressed sizes do not match !",
    };
    const auto bases = seeds();
    std::mt19937 random(20240611);
    std::map<std::string, int> outcomes;
    int referenceDisagreements = 0;
    for (int i = 0; i < kMutants; ++i) {
        const std::string stream = mutate(bases[static_cast<std::size_t>(i) % bases.size()], random);
        std::optional<std::string> decoded;
        try {
            decoded = TCompressor::DecompressBytes(stream);
            ++outcomes["decoded"];
        } catch (const ECompressorException& e) {
            ++outcomes[e.what()];
            if (!allowed.count(e.what()))
                ADD_FAILURE() << "unexpected message: " << e.what();
        }
        if (decoded) {
            EXPECT_EQ(declaredSize(stream), decoded->size());
        }
        if (stream.compare(0, 4, "WRZL") == 0 && referenceKh(stream) != decoded)
            ++referenceDisagreements;
    }
    EXPECT_EQ(0, referenceDisagreements);
    // The mutations must reach past the header into both decoders, or this test proves little.
    for (const auto& message : allowed)
        EXPECT_GT(outcomes[message], 500) << message;
    EXPECT_GT(outcomes["decoded"], 2000);
}

// Random bytes behind a valid header: the decoders' state machines get no help at all.
TEST(HostileStreams, RandomDataBehindAValidHeaderNeverEscapes)
{
    std::mt19937 random(77);
    int refused = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string magic = i % 2 ? "WRZL" : "!HZL";
        const std::uint32_t size = random() % 3 ? random() % 5000 : random();
        std::string stream = magic + bytes({int(size & 0xFF), int((size >> 8) & 0xFF), int((size >> 16) & 0xFF),
                                            int(size >> 24)}) +
                             randomBytes(random() % 600, random());
        if (magic == "WRZL" && stream.size() >= 10) {
            // A plausible first block length, so the KH body decoder itself sees the noise.
            const std::size_t body = stream.size() - 10;
            stream[8] = static_cast<char>(body & 0xFF);
            stream[9] = static_cast<char>(body >> 8);
            if (body > 0)
                stream[10] = static_cast<char>(i % 4 == 1 ? 0x40 : stream[10]);
        }
        try {
            EXPECT_EQ(size, TCompressor::DecompressBytes(stream).size());
        } catch (const ECompressorException&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 3000);
}

}  // namespace
