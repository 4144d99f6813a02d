#include "platform/CommandLine.h"

namespace quarry {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view line)
{
    std::vector<std::string> arguments;
    std::size_t i = 0;
    const std::size_t n = line.size();
    for (;;) {
        while (i < n && isBlank(line[i]))
            ++i;
        if (i >= n)
            return arguments;
        std::string argument;
        bool quoted = false;
        while (i < n && (quoted || !isBlank(line[i]))) {
            const char c = line[i];
            if (c == '\\') {
                std::size_t backslashes = 0;
                for (; i < n && line[i] == '\\'; ++i)
                    ++backslashes;
                const bool beforeQuote = i < n && line[i] == '"';
                argument.append(beforeQuote ? backslashes / 2 : backslashes, '\\');
                if (beforeQuote && backslashes % 2 == 1) {
                    argument += '"';
                    ++i;
                }
            } else if (c == '"') {
                if (quoted && i + 1 < n && line[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += c;
                ++i;
            }
        }
        arguments.push_back(std::move(argument));
    }
}

}  // namespace quarry
