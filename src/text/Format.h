#pragma once
#include <cstdio>
#include <string>

namespace quarry {

// printf-style formatting for the message texts, which carry %s and %d as the tables give them.
template <typename... Args>
std::string Format(const char* pattern, Args... args) {
    const int size = std::snprintf(nullptr, 0, pattern, args...);
    if (size <= 0) return std::string(pattern);
    std::string text(static_cast<std::size_t>(size), '\0');
    std::snprintf(text.data(), text.size() + 1, pattern, args...);
    return text;
}

}  // namespace quarry
