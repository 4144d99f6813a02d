#include "highlight/CustomParseHandlers.h"

namespace quarry {

namespace {
constexpr unsigned char kCR = 13;
}

bool CppParserCustomParse(TCodeMemoParser&, int parseId, ScanCursor& stream, int& length, int&)
{
    if (parseId != 1)
        return false;
    // A backslash (or a run of them) directly before the line end continues the line.
    bool afterBackslash = false;
    while (!stream.atEnd()) {
        unsigned char c = stream.current();
        if (c == kCR && !afterBackslash)
            break;
        afterBackslash = c == '\\';
        stream.next();
        ++length;
    }
    return true;
}

bool IniParserCustomParse(TCodeMemoParser&, int parseId, ScanCursor& stream, int& length, int& value)
{
    if (parseId != 1)
        return false;
    const ScanOffset atCall = stream.position();
    const int lengthAtCall = length;
    int read = 0;
    while (!stream.atEnd() && stream.current() != kCR && stream.current() != '=') {
        stream.next();
        ++read;
    }
    if (!stream.atEnd() && stream.current() == '=') {
        value = 3;
        length = lengthAtCall + read;
        return true;
    }
    if (read > 1) {
        value = 8;
        length = lengthAtCall;
        stream.seek(atCall);
        return true;
    }
    value = 0;
    return true;
}

TCustomParseEvent customParseHandlerFor(const std::string& languageName)
{
    if (languageName == "ANSI C")
        return CppParserCustomParse;
    if (languageName == "INI")
        return IniParserCustomParse;
    return {};
}

}  // namespace quarry
