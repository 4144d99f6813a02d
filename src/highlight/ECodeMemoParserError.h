#pragma once
#include <stdexcept>
#include <string>

namespace quarry {

// A script that does not compile, or a compiled form that cannot be loaded. For compile errors
// the message is "** ERROR near line %d, Column %d: %s" and context() names the script section
// being read.
class ECodeMemoParserError : public std::runtime_error {
public:
    explicit ECodeMemoParserError(const std::string& message, std::string context = {}, int line = 0,
                                  int column = 0, std::string reason = {})
        : std::runtime_error(message), context_(std::move(context)), line_(line), column_(column),
          reason_(std::move(reason))
    {
    }
    const std::string& context() const { return context_; }
    int line() const { return line_; }
    int column() const { return column_; }
    // The message text without the position prefix.
    const std::string& reason() const { return reason_; }

private:
    std::string context_;
    int line_, column_;
    std::string reason_;
};

}  // namespace quarry
