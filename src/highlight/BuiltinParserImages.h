#pragma once
// The stored forms of the built-in parsers, compiled from their scripts at build time. The
// definition is generated (library quarry_builtin_parsers); the repository takes the images as
// an argument, so the highlighting library itself never depends on the generated code.
#include <span>
#include <string_view>

namespace quarry {

struct BuiltinParserImage {
    const char* script;         // the script's file name under data/highlight, as in BuiltinLanguages
    std::string_view property;  // the "Parser" property: version, size, compressed form
};

std::span<const BuiltinParserImage> builtinParserImages();

}  // namespace quarry
