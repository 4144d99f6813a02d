#pragma once
// What the syntax preferences dialog edits: one row per parser (its name and the file patterns
// it claims, kept in the editor store) and the default parser for files no row claims (the
// DEFAULTSYNTAX setting). The form shows a row as name, tab, patterns; this class reads the
// rows from the store, splits edited rows and writes them back.
#include <string>
#include <string_view>
#include <vector>

namespace quarry {

class PersistentEditorStore;

class SyntaxPreferences final {
public:
    struct Row {
        std::string name;
        std::string filters;
        bool operator==(const Row&) const = default;
    };

    // The parsers' rows from the store, in the order given (the repository's).
    SyntaxPreferences(const PersistentEditorStore& store, const std::vector<std::string>& languages);

    const std::vector<Row>& Rows() const { return rows_; }
    void SetFilters(std::size_t row, std::string_view filters);

    // The combo entry the default slot selects: slot k is entry k - 1, slot 0 none (-1). A damaged
    // number still names a slot (taken modulo the number of slots).
    int DefaultEntry(int defaultSyntax) const;
    // DEFAULTSYNTAX after OK with this combo text: the position + 1 of the entry the text
    // equals, else the value held.
    int DefaultSyntaxFor(std::string_view comboText, int defaultSyntax) const;

    // Every row's trimmed patterns into its parser's filter section.
    void Store(PersistentEditorStore& store) const;

    static std::string RowText(const Row& row);
    // The name before the first tab and the rest; a text without a tab is all name.
    static Row SplitRowText(std::string_view text);

private:
    std::vector<Row> rows_;
};

}  // namespace quarry
