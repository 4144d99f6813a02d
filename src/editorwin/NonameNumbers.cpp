#include "editorwin/NonameNumbers.h"

#include <charconv>

namespace quarry {

int NonameNumbers::Allocate()
{
    for (int n = 1; n <= kHighest; ++n)
        if (!used_.test(static_cast<std::size_t>(n))) {
            used_.set(static_cast<std::size_t>(n));
            return n;
        }
    return 1;
}

void NonameNumbers::Release(int number)
{
    if (number >= 0 && number <= kHighest)
        used_.reset(static_cast<std::size_t>(number));
}

bool NonameNumbers::InUse(int number) const
{
    return number >= 0 && number <= kHighest && used_.test(static_cast<std::size_t>(number));
}

std::string NonameNumbers::NameFor(int number) { return kNonamePrefix + std::to_string(number); }

bool NonameNumbers::IsNoname(std::string_view name) { return name.starts_with(kNonamePrefix); }

std::optional<int> NonameNumbers::NumberOf(std::string_view name)
{
    if (!IsNoname(name))
        return std::nullopt;
    const auto digits = name.substr(std::string_view(kNonamePrefix).size());
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty())
        return std::nullopt;
    return number;
}

}  // namespace quarry
