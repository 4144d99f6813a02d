#pragma once
// The custom parse handlers that built-in scripts reach through "match(1)".
#include "highlight/TCodeMemoParser.h"

namespace quarry {

// A preprocessor line: the rest of the line, continued over line ends that follow a backslash.
bool CppParserCustomParse(TCodeMemoParser& sender, int parseId, ScanCursor& stream, int& length, int& value);
// INI-style text: a key up to "=" becomes value 3; a line without "=" value 8 (nothing consumed).
bool IniParserCustomParse(TCodeMemoParser& sender, int parseId, ScanCursor& stream, int& length, int& value);

// The handler a language needs, by its language name; empty when it needs none.
TCustomParseEvent customParseHandlerFor(const std::string& languageName);

}  // namespace quarry
