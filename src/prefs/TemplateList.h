#pragma once
// The Code templates page over a language's settings: templates (name, description, text) and
// the hot key that expands them. A name is listed once (without regard to case when the
// language ignores case); an empty name is refused. A refused change leaves the list as it was.
#include "text/EditorTypes.h"

#include <optional>
#include <string>
#include <string_view>

namespace quarry {

class LanguageSettings;
struct CodeTemplate;

class TemplateList final {
public:
    explicit TemplateList(LanguageSettings& settings) : settings_(settings) {}

    int Count() const;
    // Name, tab, description.
    std::string RowText(int index) const;
    const CodeTemplate& At(int index) const;

    // Each gives the message refusing the change, or nothing when it was made.
    std::optional<std::string> Add(const CodeTemplate& entry);
    std::optional<std::string> Replace(int index, const CodeTemplate& entry);
    std::optional<std::string> Delete(int index);

    TShortCut HotKey() const;
    void SetHotKey(TShortCut key);

private:
    std::optional<std::string> Refusal(const std::string& name, int index) const;

    LanguageSettings& settings_;
};

}  // namespace quarry
