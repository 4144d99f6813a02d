#include "prefs/SyntaxPreferences.h"

#include "platform/PersistentEditorStore.h"
#include "platform/Text.h"
#include "settings/EnvironmentSettings.h"

namespace quarry {

SyntaxPreferences::SyntaxPreferences(const PersistentEditorStore& store, const std::vector<std::string>& languages)
{
    for (const std::string& name : languages)
        rows_.push_back({name, store.FilterText(name)});
}

void SyntaxPreferences::SetFilters(std::size_t row, std::string_view filters)
{
    if (row < rows_.size())
        rows_[row].filters = std::string(filters);
}

int SyntaxPreferences::DefaultEntry(int defaultSyntax) const
{
    EditorOptions options;
    options.defaultSyntax = defaultSyntax;
    return options.defaultSyntaxSlot(int(rows_.size())) - 1;
}

int SyntaxPreferences::DefaultSyntaxFor(std::string_view comboText, int defaultSyntax) const
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].name == comboText)
            return int(i) + 1;
    return defaultSyntax;
}

void SyntaxPreferences::Store(PersistentEditorStore& store) const
{
    for (const Row& row : rows_)
        store.SetFilterText(row.name, text::trim(row.filters));
}

std::string SyntaxPreferences::RowText(const Row& row) { return row.name + '\t' + row.filters; }

SyntaxPreferences::Row SyntaxPreferences::SplitRowText(std::string_view text)
{
    const auto tab = text.find('\t');
    if (tab == std::string_view::npos)
        return {std::string(text), {}};
    return {std::string(text.substr(0, tab)), std::string(text.substr(tab + 1))};
}

}  // namespace quarry
