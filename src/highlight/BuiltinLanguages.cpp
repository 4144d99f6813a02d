#include "highlight/BuiltinLanguages.h"

#include <algorithm>
#include <cctype>

namespace quarry {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower((unsigned char)x) == std::tolower((unsigned char)y);
           });
}

}  // namespace

const std::vector<BuiltinLanguage>& builtinLanguages()
{
    static const std::vector<BuiltinLanguage> all = {
        {"TalvikAssemblyParser", "Talvik Assembly", "asm.hl"},
        {"PascalParser", "Object Pascal", "pascal.hl"},
        {"CppParser", "ANSI C", "c.hl"},
        {"JavaParser", "Java", "java.hl"},
        {"HTMLParser", "HTML / JS / VBS", "html.hl"},
        {"TextParser", "Plain text", "text.hl"},
    };
    return all;
}

const BuiltinLanguage* findBuiltinLanguage(std::string_view name)
{
    for (const BuiltinLanguage& l : builtinLanguages()) {
        std::string_view script = l.script;
        std::string_view stem = script.substr(0, script.find('.'));
        if (sameIgnoringCase(name, l.language) || sameIgnoringCase(name, l.component) ||
            sameIgnoringCase(name, script) || sameIgnoringCase(name, stem))
            return &l;
    }
    return nullptr;
}

const BuiltinLanguage& builtinLanguageForFile(std::string_view fileName)
{
    static const std::pair<const char*, const char*> kExtensions[] = {
        {"asm", "asm"}, {"s", "asm"}, {"a68", "asm"}, {"inc", "asm"}, {"pas", "pascal"}, {"dpr", "pascal"},
        {"pp", "pascal"}, {"c", "c"}, {"h", "c"}, {"cpp", "c"}, {"cc", "c"}, {"hpp", "c"}, {"cxx", "c"},
        {"java", "java"}, {"html", "html"}, {"htm", "html"}, {"asp", "html"}, {"cfm", "html"},
    };
    size_t dot = fileName.rfind('.');
    size_t slash = fileName.find_last_of("/\\");
    if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)) {
        std::string_view ext = fileName.substr(dot + 1);
        for (const auto& [e, lang] : kExtensions)
            if (sameIgnoringCase(ext, e))
                return *findBuiltinLanguage(lang);
    }
    return builtinLanguages().back();
}

}  // namespace quarry
