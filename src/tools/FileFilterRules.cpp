#include "tools/FileFilterRules.h"

#include "platform/Text.h"

#include <algorithm>

namespace quarry {

filefilters::AddResult filefilters::Add(std::vector<std::string>& filters, const std::string& pattern,
                                        const std::string& description)
{
    const auto p = text::trim(pattern);
    const auto d = text::trim(description);
    if (p.empty() || d.empty())
        return AddResult::Incomplete;
    std::size_t joined = d.size() + p.size();
    for (const auto& entry : filters)
        joined += entry.size() + 1;
    if (joined > kJoinedLimit)
        return AddResult::TooLong;
    filters.push_back(d + "|" + p);
    return AddResult::Added;
}

int filefilters::Remove(std::vector<std::string>& filters, int index)
{
    if (index >= 0 && index < static_cast<int>(filters.size()))
        filters.erase(filters.begin() + index);
    if (filters.empty())
        return -1;
    return std::min(std::max(index, 0), static_cast<int>(filters.size()) - 1);
}

std::vector<std::string> filefilters::Descriptions(const std::vector<std::string>& filters)
{
    std::vector<std::string> out;
    for (const auto& entry : filters)
        out.push_back(entry.substr(0, entry.find('|')));
    return out;
}

}  // namespace quarry
