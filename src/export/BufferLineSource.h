#pragma once
// The lines of a scanned text, each with its trailing CR, for the export writers.
#include "export/ExportStyle.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace quarry {

class BufferLineSource final : public StyledLineSource {
public:
    BufferLineSource(std::string_view text, const std::vector<uint8_t>* styles) : text_(text), styles_(styles) {}
    bool next(StyledLine& line) override;

private:
    std::string_view text_;
    const std::vector<uint8_t>* styles_;
    size_t pos_ = 0;
};

}  // namespace quarry
