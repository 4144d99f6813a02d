#include "prefs/AutoCorrectList.h"

#include "text/Format.h"
#include "highlight/LanguageSettings.h"
#include "platform/Text.h"
#include "prefs/PrefsTexts.h"

namespace quarry {

int AutoCorrectList::Count() const { return int(settings_.autoReplace.size()); }

std::string AutoCorrectList::RowText(int index) const { return Word(index) + '\t' + Replacement(index); }

const std::string& AutoCorrectList::Word(int index) const { return settings_.autoReplace.at(size_t(index)).first; }

const std::string& AutoCorrectList::Replacement(int index) const
{
    return settings_.autoReplace.at(size_t(index)).second;
}

std::optional<std::string> AutoCorrectList::Refusal(const std::string& word, int index) const
{
    if (word.empty())
        return std::string(prefstexts::kEmptyWord);
    for (int i = 0; i < Count(); ++i)
        if (i != index && Word(i) == word)
            return Format(prefstexts::kDuplicateWord, word.c_str());
    return std::nullopt;
}

std::optional<std::string> AutoCorrectList::Add(std::string_view word, std::string_view replacement)
{
    const std::string trimmed = text::trim(word);
    if (auto refusal = Refusal(trimmed, -1))
        return refusal;
    settings_.autoReplace.emplace_back(trimmed, std::string(replacement));
    return std::nullopt;
}

std::optional<std::string> AutoCorrectList::Replace(int index, std::string_view word, std::string_view replacement)
{
    if (index < 0 || index >= Count())
        return std::string(prefstexts::kNothingChosen);
    const std::string trimmed = text::trim(word);
    if (auto refusal = Refusal(trimmed, index))
        return refusal;
    settings_.autoReplace[size_t(index)] = {trimmed, std::string(replacement)};
    return std::nullopt;
}

std::optional<std::string> AutoCorrectList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return std::string(prefstexts::kNothingChosen);
    settings_.autoReplace.erase(settings_.autoReplace.begin() + index);
    return std::nullopt;
}

const std::string& AutoCorrectList::Triggers() const { return settings_.autoReplaceTriggers; }

void AutoCorrectList::SetTriggers(std::string_view text) { settings_.autoReplaceTriggers = std::string(text); }

}  // namespace quarry
