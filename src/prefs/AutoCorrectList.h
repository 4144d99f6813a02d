#pragma once
// The Auto correct page over a language's settings: replacement pairs (word, replacement) and
// the trigger text. A word is listed once; an empty word is refused. A refused change leaves
// the list as it was.
#include <optional>
#include <string>
#include <string_view>

namespace quarry {

class LanguageSettings;

class AutoCorrectList final {
public:
    explicit AutoCorrectList(LanguageSettings& settings) : settings_(settings) {}

    int Count() const;
    // Word, tab, replacement.
    std::string RowText(int index) const;
    const std::string& Word(int index) const;
    const std::string& Replacement(int index) const;

    // Each gives the message refusing the change, or nothing when it was made.
    std::optional<std::string> Add(std::string_view word, std::string_view replacement);
    std::optional<std::string> Replace(int index, std::string_view word, std::string_view replacement);
    std::optional<std::string> Delete(int index);

    const std::string& Triggers() const;
    void SetTriggers(std::string_view text);

private:
    // The message for a word that cannot stand at `index` (-1: a new entry).
    std::optional<std::string> Refusal(const std::string& word, int index) const;

    LanguageSettings& settings_;
};

}  // namespace quarry
