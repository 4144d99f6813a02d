// libFuzzer target for the compressor: any bytes as a compressed stream must decode or raise
// ECompressorException; any bytes as plain input must come back unchanged from both methods.
// Not part of the CMake build; fuzz/build.sh builds it with clang.
#include "compress/ECompressorException.h"
#include "compress/TCompressor.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 4) {
    case 0:
    case 1:  // a stream as it stands
        try {
            quarry::TCompressor::DecompressBytes(rest);
        } catch (const quarry::ECompressorException&) {
        }
        break;
    case 2: {  // a stream behind a valid header of either method, so the decoders see it all
        const std::string stream = std::string(data[0] & 4 ? "WRZL" : "!HZL") + std::string(rest);
        try {
            quarry::TCompressor::DecompressBytes(stream);
        } catch (const quarry::ECompressorException&) {
        }
        break;
    }
    default:
        for (const auto method : {quarry::CompressionMethod::KH, quarry::CompressionMethod::LZH}) {
            const std::string packed = quarry::TCompressor::CompressBytes(rest, method);
            if (quarry::TCompressor::DecompressBytes(packed) != rest)
                std::abort();
        }
    }
    return 0;
}
