#pragma once
#include <string>

namespace quarry {

// What one line of compiler output says. Errors and warnings may name a file and line to go
// to; notes (a success message, a tool's remark) only have their text.
struct ErrorEntry {
    enum class Severity { Error, Warning, Note };

    Severity severity = Severity::Error;
    std::string file;     // empty when the line names no place
    int line = 0;         // 1-based; 0 when the line names no line
    std::string message;  // the status text after going to the place
    std::string detail;   // the message without the place, for lists
    std::string text;     // the whole line: the status text when there is no place to go to
    int colour = 0;       // status colour, blue-green-red

    // A file to go to (a line 0 still names the file); a list walks the entries with a line.
    bool hasPlace() const { return !file.empty(); }
    bool hasLine() const { return hasPlace() && line >= 1; }
    bool operator==(const ErrorEntry&) const = default;
};

}  // namespace quarry
