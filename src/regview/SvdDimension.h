#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarry {

// The indices of an array or list of elements (dim, dimIndex): without dimIndex 0 to dim - 1;
// with it a range of numbers or letters ("0-3", "A-D") or a list ("A,B,C"), which must give
// exactly dim indices.
class SvdDimension final {
public:
    // More elements than this in one array are refused: a register file lists each one.
    static constexpr std::uint64_t kMaxElements = 8192;

    // Either the indices or, in `problem`, why there are none or why the numbers were used.
    static SvdDimension Make(std::uint64_t dim, std::optional<std::string_view> dimIndex);

    const std::vector<std::string>& Indices() const { return indices_; }
    const std::string& Problem() const { return problem_; }

private:
    std::vector<std::string> indices_;
    std::string problem_;
};

}  // namespace quarry
