#include "text/TextEncoding.h"

#include <cctype>
#include <string>

namespace quarry {

std::optional<EncodingChoice> parseEncodingChoice(std::string_view text) {
    std::string lower;
    for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "auto") return EncodingChoice::Auto;
    if (lower == "utf-8" || lower == "utf8") return EncodingChoice::Utf8;
    if (lower == "windows-1252" || lower == "cp1252") return EncodingChoice::Windows1252;
    return std::nullopt;
}

}  // namespace quarry
