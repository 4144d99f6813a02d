#pragma once
#include <stdexcept>
#include <string>

namespace quarry {

// Every failure of TCompressor and its codecs. The texts come from CompressorMessages so that
// callers and tests see the same wording in every language build.
class ECompressorException final : public std::runtime_error {
public:
    explicit ECompressorException(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quarry
