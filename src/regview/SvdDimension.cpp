#include "regview/SvdDimension.h"

#include "platform/Text.h"

namespace quarry {

namespace {

bool allDigits(std::string_view text)
{
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool oneLetter(std::string_view text)
{
    return text.size() == 1 && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

// "3-6" or "A-D": the indices it stands for; empty when the text is no such range.
std::vector<std::string> range(std::string_view text)
{
    const auto dash = text.find('-');
    if (dash == std::string_view::npos)
        return {};
    const std::string first = text::trim(text.substr(0, dash));
    const std::string last = text::trim(text.substr(dash + 1));
    std::vector<std::string> indices;
    if (allDigits(first) && allDigits(last)) {
        const long from = std::stol(first);
        const long to = std::stol(last);
        for (long i = from; i <= to && indices.size() <= SvdDimension::kMaxElements; ++i)
            indices.push_back(std::to_string(i));
    } else if (oneLetter(first) && oneLetter(last) && (first[0] <= 'Z') == (last[0] <= 'Z')) {
        for (char c = first[0]; c <= last[0]; ++c)
            indices.emplace_back(1, c);
    }
    return indices;
}

std::vector<std::string> list(std::string_view text)
{
    std::vector<std::string> indices;
    std::size_t from = 0;
    while (indices.size() <= SvdDimension::kMaxElements) {
        const auto comma = text.find(',', from);
        indices.push_back(text::trim(text.substr(from, comma == std::string_view::npos ? comma : comma - from)));
        if (comma == std::string_view::npos)
            break;
        from = comma + 1;
    }
    return indices;
}

}  // namespace

SvdDimension SvdDimension::Make(std::uint64_t dim, std::optional<std::string_view> dimIndex)
{
    SvdDimension dimension;
    if (dim == 0 || dim > kMaxElements) {
        dimension.problem_ = "dim " + std::to_string(dim) + " is not 1 to " + std::to_string(kMaxElements);
        return dimension;
    }
    if (dimIndex) {
        auto indices = range(*dimIndex);
        if (indices.empty())
            indices = list(*dimIndex);
        if (indices.size() == dim) {
            dimension.indices_ = std::move(indices);
            return dimension;
        }
        dimension.problem_ = "dimIndex \"" + text::cut(*dimIndex, 40) + "\" does not give " + std::to_string(dim) +
                             " indices; numbered from 0";
    }
    for (std::uint64_t i = 0; i < dim; ++i)
        dimension.indices_.push_back(std::to_string(i));
    return dimension;
}

}  // namespace quarry
