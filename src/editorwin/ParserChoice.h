#pragma once
#include <string>
#include <string_view>
#include <vector>

// Which highlighting parser slot an editor window uses for a file: the last parser whose filter
// text names the file's extension, else the default syntax.
namespace quarry::parserchoice {

// The words of a filter text: the pieces between any of space, '*', ',', '.', ':', ';', '?',
// '\' and '|'; empty pieces are dropped.
std::vector<std::string> filterWords(std::string_view filterText);

// filterTexts[i] is the filter text of parser i (slot i + 1). The result is a slot: 0 for no
// highlighting, 1..filterTexts.size() for a parser.
int chooseSlot(std::string_view fileName, const std::vector<std::string>& filterTexts, int defaultSyntax);

}  // namespace quarry::parserchoice
