#pragma once
// The six languages the program ships, in the repository's order, and where their scripts live.
#include <string>
#include <string_view>
#include <vector>

namespace quarry {

struct BuiltinLanguage {
    const char* component;  // the parser's component name
    const char* language;   // the "name" its script gives
    const char* script;     // file name under <data>/highlight
};

const std::vector<BuiltinLanguage>& builtinLanguages();
// By language name, component name or script name (ignoring case), or null.
const BuiltinLanguage* findBuiltinLanguage(std::string_view name);
// A built-in language for a file name by its extension; plain text when none fits.
const BuiltinLanguage& builtinLanguageForFile(std::string_view fileName);

}  // namespace quarry
