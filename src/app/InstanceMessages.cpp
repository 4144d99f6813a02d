#include "app/InstanceMessages.h"

#include "platform/Text.h"
#include "settings/EnvironmentSettings.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

namespace quarry {

std::string instanceMessageFor(const std::string& programPath)
{
    return text::cut(text::ansiUpperCase(programPath + " " + kApplicationTitle + " " + kVersionText), 255);
}

InstanceMessages InstanceMessages::forProgram(const std::string& programPath)
{
    return {instanceMessageFor(programPath), kMaximizeMessage, kCloseDownMessage, kSpareMaximizeMessage};
}

std::string channelNameFor(const std::string& message)
{
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : message) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    std::string prefix;
    for (unsigned char c : message) {
        if (prefix.size() == 12)
            break;
        if (std::isalnum(c))
            prefix += static_cast<char>(std::tolower(c));
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return "quarry-" + prefix + "-" + digits;
}

}  // namespace quarry
