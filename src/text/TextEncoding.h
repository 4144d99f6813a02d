#pragma once
#include <optional>
#include <string_view>

namespace quarry {

// How a document's bytes are read. The text store keeps bytes either way; the encoding decides
// only what a character is (one byte, or one UTF-8 sequence) and how it is shown.
enum class TextEncoding { Windows1252, Utf8 };

// What a file's encoding is taken to be when it is opened.
enum class EncodingChoice { Auto, Windows1252, Utf8 };

// The names the status bar, the project file and the command line use.
constexpr std::string_view encodingName(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? "UTF-8" : "Windows-1252";
}

// "utf-8"/"utf8", "windows-1252"/"cp1252", "auto", any case; nothing for other texts.
std::optional<EncodingChoice> parseEncodingChoice(std::string_view text);

}  // namespace quarry
