#include "editorwin/DefaultFileFilters.h"

#include "platform/PersistentEditorStore.h"
#include "platform/Text.h"

#include <algorithm>
#include <utility>

namespace quarry {

std::string defaultFilterText(const std::string& language)
{
    static const std::pair<const char*, const char*> kDefaults[] = {
        {"Talvik Assembly", "*.asm;*.s;*.a68;*.inc"},
        {"Object Pascal", "*.pas;*.dpr;*.pp"},
        {"ANSI C", "*.c;*.h;*.cpp;*.hpp;*.cc;*.cxx"},
        {"Java", "*.java"},
        {"HTML / JS / VBS", "*.htm;*.html;*.asp;*.js"},
        {"Plain text", "*.txt"},
    };
    for (const auto& [name, filters] : kDefaults)
        if (text::equalsIgnoreCase(name, language))
            return filters;
    return {};
}

bool seedDefaultFilters(PersistentEditorStore& store, const std::vector<std::string>& languages)
{
    const bool anySet = std::any_of(languages.begin(), languages.end(), [&](const std::string& language) {
        return store.HasSection(PersistentEditorStore::FiltersSection(language));
    });
    if (anySet)
        return false;
    for (const auto& language : languages) {
        const auto filters = defaultFilterText(language);
        if (!filters.empty())
            store.SetFilterText(language, filters);
    }
    return true;
}

}  // namespace quarry
