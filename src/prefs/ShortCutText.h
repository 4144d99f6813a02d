#pragma once
// Key strokes as the key-assignment page shows them: modifiers, then the key's name
// ("Ctrl+Shift+Z", "F3", "PgDn"), and a sequence as "[first]  [second]" with "<none>" for a
// single stroke.
#include "text/EditorTypes.h"

#include <string>

namespace quarry {

std::string ShortCutText(TShortCut stroke);
std::string KeySequenceText(TShortCut first, TShortCut second);

}  // namespace quarry
