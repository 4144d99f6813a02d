#pragma once
#include "platform/PathStyle.h"
#include "tools/GccLineTest.h"
#include "tools/ErrorEntry.h"
#include "tools/ErrorGrammar.h"

#include <optional>
#include <string>
#include <string_view>

namespace quarry {

// Reads single lines of an error file under one grammar: whether a line is one the grammar
// recognises, and then the place and message it names. Names in Windows form get the Windows
// rewrites (forward slashes, "//c/" prefixes, a lost drive colon); with the POSIX style a name
// that is not in Windows form is kept as written.
class ErrorLineReader final {
public:
    ErrorLineReader(ErrorGrammar grammar, PathStyle style) : grammar_(grammar), style_(style) {}

    // A line as the grammars see it: at most 255 characters, trailing blanks and control
    // characters removed (a view into the raw line).
    static std::string_view Prepare(std::string_view raw);
    // Whether a prepared line ends a scan as a success message ("uccess,").
    static bool IsSuccessLine(std::string_view line);

    // The entry for a prepared line the grammar recognises; nullopt for any other line.
    std::optional<ErrorEntry> Read(std::string_view line) const;
    // Like Read, but a GCC-style line skipped only for its "warning" comes back as a warning
    // (the grammars that use the GCC test), so that lists can show warnings apart.
    std::optional<ErrorEntry> ReadForList(std::string_view line) const;

private:
    enum class LineType { Paren, ByteCraft, Gcc, Simulator, Emulator, AssemblySucceeded, Board };
    struct Match {
        LineType type;
        int colour;
        int gccLine = 0;
    };

    // `gcc` gets what the GCC test made of the line, when it ran.
    std::optional<Match> Classify(std::string_view line, GccCheck& gcc) const;
    ErrorEntry Extract(const Match& match, std::string_view line) const;
    ErrorEntry ReadGcc(std::string_view line, int lineNumber, int colour) const;
    static ErrorEntry ReadByteCraft(std::string_view line, int colour);
    static ErrorEntry ReadParen(std::string_view line);
    std::string RewriteWindowsName(std::string line) const;

    ErrorGrammar grammar_;
    PathStyle style_;
};

}  // namespace quarry
