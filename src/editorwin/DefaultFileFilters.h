#pragma once
#include <string>
#include <vector>

namespace quarry {

class PersistentEditorStore;

// The file types each built-in language claims when the editor store names none: a fresh
// installation highlights assembly, C and the others without a visit to Syntax Preferences.
// Languages are given by name; names the table does not know get no filters.
std::string defaultFilterText(const std::string& language);
// Writes the default filters when the store holds no "[Filters: ...]" section for any of the
// languages; a store the user has set up is left alone. True when it wrote them.
bool seedDefaultFilters(PersistentEditorStore& store, const std::vector<std::string>& languages);

}  // namespace quarry
