#include "prefs/TemplateList.h"

#include "text/Format.h"
#include "highlight/LanguageSettings.h"
#include "platform/Text.h"
#include "prefs/PrefsTexts.h"

namespace quarry {

namespace {

CodeTemplate Trimmed(const CodeTemplate& entry) { return {text::trim(entry.name), entry.description, entry.text}; }

}  // namespace

int TemplateList::Count() const { return int(settings_.templates.size()); }

std::string TemplateList::RowText(int index) const { return At(index).name + '\t' + At(index).description; }

const CodeTemplate& TemplateList::At(int index) const { return settings_.templates.at(size_t(index)); }

std::optional<std::string> TemplateList::Refusal(const std::string& name, int index) const
{
    if (name.empty())
        return std::string(prefstexts::kEmptyTemplateName);
    for (int i = 0; i < Count(); ++i) {
        const std::string& other = At(i).name;
        if (i != index && (settings_.caseSensitive ? other == name : text::equalsIgnoreCase(other, name)))
            return Format(prefstexts::kDuplicateTemplate, name.c_str());
    }
    return std::nullopt;
}

std::optional<std::string> TemplateList::Add(const CodeTemplate& entry)
{
    const CodeTemplate t = Trimmed(entry);
    if (auto refusal = Refusal(t.name, -1))
        return refusal;
    settings_.templates.push_back(t);
    return std::nullopt;
}

std::optional<std::string> TemplateList::Replace(int index, const CodeTemplate& entry)
{
    if (index < 0 || index >= Count())
        return std::string(prefstexts::kNothingChosen);
    const CodeTemplate t = Trimmed(entry);
    if (auto refusal = Refusal(t.name, index))
        return refusal;
    settings_.templates[size_t(index)] = t;
    return std::nullopt;
}

std::optional<std::string> TemplateList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return std::string(prefstexts::kNothingChosen);
    settings_.templates.erase(settings_.templates.begin() + index);
    return std::nullopt;
}

TShortCut TemplateList::HotKey() const { return settings_.templateHotKey; }

void TemplateList::SetHotKey(TShortCut key) { settings_.templateHotKey = key; }

}  // namespace quarry
