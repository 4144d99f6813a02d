#include "tools/ErrorLineReader.h"

#include "platform/Text.h"
#include "tools/StatusColours.h"

#include <algorithm>
#include <cctype>

namespace quarry {

namespace {

constexpr std::size_t kLineLimit = 255;
constexpr std::size_t kParenMessageLength = 72;
constexpr std::string_view kByteCraftPrefix = "ERROR   ";

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

bool startsWithDriveSlashes(std::string_view s)
{
    return s.size() >= 4 && s[0] == '/' && s[1] == '/' && isLetter(s[2]) && s[3] == '/';
}

// A name written the Windows way: a drive, a "//c/" prefix, or backslashes before the colon.
bool inWindowsForm(std::string_view line)
{
    if (line.size() >= 2 && isLetter(line[0]) && line[1] == ':')
        return true;
    if (startsWithDriveSlashes(line))
        return true;
    return contains(line.substr(0, line.find(':')), "\\");
}

ErrorEntry statusOnly(std::string_view text, int colour)
{
    ErrorEntry entry;
    entry.severity = colour == statuscolour::kMaroon ? ErrorEntry::Severity::Error : ErrorEntry::Severity::Note;
    entry.text = entry.message = entry.detail = std::string(text);
    entry.colour = colour;
    return entry;
}

// The message after a GCC place: "12:5: error: x" gives "error: x".
std::string gccDetail(std::string_view rest)
{
    for (int field = 0; field < 2; ++field) {
        std::size_t i = 0;
        while (i < rest.size() && isDigit(rest[i]))
            ++i;
        if (i == 0 || i >= rest.size() || rest[i] != ':')
            break;
        rest.remove_prefix(i + 1);
    }
    return text::trim(rest);
}

}  // namespace

std::string_view ErrorLineReader::Prepare(std::string_view raw)
{
    auto line = raw.substr(0, kLineLimit);
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= ' ')
        line.remove_suffix(1);
    return line;
}

bool ErrorLineReader::IsSuccessLine(std::string_view line) { return contains(line, "uccess,"); }

std::optional<ErrorLineReader::Match> ErrorLineReader::Classify(std::string_view line, GccCheck& gcc) const
{
    using statuscolour::kBlack;
    using statuscolour::kMaroon;
    using statuscolour::kNavy;
    const bool byteCraft = line.starts_with(kByteCraftPrefix);
    switch (grammar_) {
    case ErrorGrammar::Talvik:
        if (contains(line, "):"))
            return Match{LineType::Paren, kMaroon};
        return std::nullopt;
    case ErrorGrammar::ByteCraft:
        if (byteCraft)
            return Match{LineType::ByteCraft, kMaroon};
        return std::nullopt;
    case ErrorGrammar::Gcc:
        gcc = CheckGccLine(line);
        if (const auto n = gcc.error())
            return Match{LineType::Gcc, kMaroon, *n};
        return std::nullopt;
    case ErrorGrammar::Unknown: break;
    }
    const auto upper = text::ansiUpperCase(line);
    if (contains(upper, "SSFUL ASSEM"))
        return Match{LineType::AssemblySucceeded, kNavy};
    if (contains(line, "):"))
        return Match{LineType::Paren, kMaroon};
    if (byteCraft)
        return Match{LineType::ByteCraft, kMaroon};
    if (contains(line, "SIM"))
        return Match{LineType::Simulator, kBlack};
    if (contains(line, "AEVM05 :") || contains(line, "AEVM11 :"))
        return Match{LineType::Board, kBlack};
    if (contains(line, "MMDS"))
        return Match{LineType::Emulator, kBlack};
    gcc = CheckGccLine(line);
    if (const auto n = gcc.error())
        return Match{LineType::Gcc, kMaroon, *n};
    if (contains(upper, ") ERROR :"))
        return Match{LineType::Paren, kMaroon};
    return std::nullopt;
}

std::optional<ErrorEntry> ErrorLineReader::Read(std::string_view line) const
{
    GccCheck gcc;
    const auto match = Classify(line, gcc);
    if (!match)
        return std::nullopt;
    return Extract(*match, line);
}

std::optional<ErrorEntry> ErrorLineReader::ReadForList(std::string_view line) const
{
    GccCheck gcc;
    if (const auto match = Classify(line, gcc))
        return Extract(*match, line);
    if (!gcc.warning || !gcc.line)
        return std::nullopt;
    auto entry = ReadGcc(line, *gcc.line, statuscolour::kMaroon);
    entry.severity = ErrorEntry::Severity::Warning;
    return entry;
}

ErrorEntry ErrorLineReader::Extract(const Match& match, std::string_view line) const
{
    switch (match.type) {
    case LineType::Gcc: return ReadGcc(line, match.gccLine, match.colour);
    case LineType::ByteCraft: return ReadByteCraft(line, match.colour);
    case LineType::Simulator:
    case LineType::Emulator:
        if (contains(line, "error") || contains(line, "no source"))
            return statusOnly(line, match.colour);
        return ReadParen(line);
    case LineType::AssemblySucceeded:
    case LineType::Board: return statusOnly(line, match.colour);
    case LineType::Paren: break;
    }
    return ReadParen(line);
}

std::string ErrorLineReader::RewriteWindowsName(std::string s) const
{
    if (startsWithDriveSlashes(s))
        s.erase(0, 2);
    std::replace(s.begin(), s.end(), '/', '\\');
    if (s.size() >= 2 && s[1] == '\\' && s[0] != '\\')
        s.insert(1, ":");
    return s;
}

ErrorEntry ErrorLineReader::ReadGcc(std::string_view line, int lineNumber, int colour) const
{
    auto entry = statusOnly(line, colour);
    if (contains(text::ansiUpperCase(line), ": NOTE:"))
        entry.severity = ErrorEntry::Severity::Note;
    if (lineNumber == 0)
        return entry;
    const bool windows = style_.kind() == PathStyle::Kind::Windows || inWindowsForm(line);
    const auto s = windows ? RewriteWindowsName(std::string(line)) : std::string(line);
    const auto first = s.find(':');
    if (first == std::string::npos)
        return entry;
    // A colon not followed by a digit belongs to a drive; the name goes on to the next one.
    auto end = first;
    if (first + 1 < s.size() && !isDigit(s[first + 1]))
        end = std::min(s.find(':', first + 1), s.size());
    entry.file = s.substr(0, end);
    entry.line = lineNumber;
    entry.detail = end < s.size() ? gccDetail(std::string_view(s).substr(end + 1)) : std::string(line);
    return entry;
}

ErrorEntry ErrorLineReader::ReadByteCraft(std::string_view line, int colour)
{
    auto rest = text::trim(line.substr(std::min(line.size(), kByteCraftPrefix.size())));
    auto entry = statusOnly(rest, colour);
    auto colon = rest.find(':');
    if (colon == std::string::npos)
        return entry;
    std::string drive;
    if (colon > 0 && !isDigit(rest[colon - 1])) {
        drive = rest.substr(0, colon + 1);
        rest.erase(0, colon + 1);
        colon = rest.find(':');
        if (colon == std::string::npos)
            return entry;
    }
    const auto blank = rest.rfind(' ', colon);
    if (blank == std::string::npos || blank == 0)
        return entry;
    const auto number = DecimalNumber(std::string_view(rest).substr(blank + 1, colon - blank - 1));
    if (!number)
        return entry;
    const auto after = std::string_view(rest).substr(colon + 1);
    const auto second = after.find(':');
    entry.file = drive + text::trim(std::string_view(rest).substr(0, blank));
    entry.line = *number;
    entry.message = entry.detail = text::trim(second == std::string_view::npos ? after : after.substr(second + 1));
    return entry;
}

ErrorEntry ErrorLineReader::ReadParen(std::string_view line)
{
    // Without a usable place the status keeps the line, so the user still sees what failed.
    auto entry = statusOnly(line, statuscolour::kMaroon);
    const auto open = line.find('(');
    const auto close = line.find(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return entry;
    const auto number = DecimalNumber(text::trim(line.substr(open + 1, close - open - 1)));
    if (!number)
        return entry;
    entry.file = text::trim(line.substr(0, open));
    entry.line = *number;
    entry.message = close + 3 < line.size() ? std::string(line.substr(close + 3, kParenMessageLength)) : std::string();
    auto detail = text::trim(line.substr(close + 1));
    if (!detail.empty() && detail.front() == ':')
        detail = text::trim(std::string_view(detail).substr(1));
    entry.detail = detail;
    return entry;
}

}  // namespace quarry
