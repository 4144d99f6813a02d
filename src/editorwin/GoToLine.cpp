#include "editorwin/GoToLine.h"

#include "platform/Text.h"

#include <algorithm>
#include <charconv>

namespace quarry {

std::string goToLinePrompt(int lineCount) { return "Enter Line Number (1 to " + std::to_string(lineCount) + ")"; }

std::optional<int> AskLineNumber(UserInterface& ui, int lineCount)
{
    const auto answer = ui.inputQuery(kGoToLineTitle, goToLinePrompt(lineCount), "1");
    if (!answer)
        return std::nullopt;
    auto number = text::trim(*answer);
    if (!number.empty() && number.front() == '+')
        number.erase(0, 1);
    int row = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), row);
    if (number.empty() || error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return std::clamp(row, 1, std::max(lineCount, 1));
}

}  // namespace quarry
