#include "editorwin/ParserChoice.h"

#include "platform/PathStyle.h"
#include "platform/Text.h"
#include "settings/EnvironmentSettings.h"

namespace quarry::parserchoice {

std::vector<std::string> filterWords(std::string_view filterText)
{
    constexpr std::string_view kSeparators = " *,.:;?\\|";
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= filterText.size()) {
        auto end = filterText.find_first_of(kSeparators, start);
        if (end == std::string_view::npos)
            end = filterText.size();
        if (end > start)
            words.emplace_back(filterText.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

int chooseSlot(std::string_view fileName, const std::vector<std::string>& filterTexts, int defaultSyntax)
{
    EditorOptions options;
    options.defaultSyntax = defaultSyntax;
    int slot = options.defaultSyntaxSlot(static_cast<int>(filterTexts.size()));
    if (fileName.find('.') == std::string_view::npos)
        return slot;
    auto extension = PathStyle::native().extension(fileName);
    if (!extension.empty())
        extension.erase(0, 1);
    const auto wanted = text::ansiUpperCase(extension);
    if (wanted.empty())
        return slot;
    for (std::size_t i = 0; i < filterTexts.size(); ++i)
        for (const auto& word : filterWords(filterTexts[i]))
            if (text::ansiUpperCase(word) == wanted)
                slot = static_cast<int>(i) + 1;
    return slot;
}

}  // namespace quarry::parserchoice
