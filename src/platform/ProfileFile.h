#pragma once
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quarry {

// A profile file that could not be read or written; the message names the file and the cause.
class ProfileFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An initialisation file in the Windows profile format: "[SECTION]" lines, "KEY=value" lines,
// ';' comments. Sections and keys are found regardless of letter case; the first of several
// equal sections or keys wins, as with the system's own functions. Lines the format does not
// know are kept as they are and otherwise ignored, so a damaged file still reads and a rewrite
// loses nothing a user put there.
//
// The whole file is held in memory; writes change that copy and `flush` stores it. A file that
// does not exist reads as empty (every read returns the caller's default) and is created by the
// first flush after a write.
class ProfileFile final {
public:
    // Loads the file. Throws ProfileFileError when it exists but cannot be read.
    explicit ProfileFile(std::string path);

    const std::string& path() const { return path_; }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Decimal, or hexadecimal after "0x" or "$", within 32 bits; anything else gives the default.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // True for any non-zero integer; a value that is no integer gives the default.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Keys are written as given. Line breaks inside a value would split it into lines the next
    // read takes for other keys, so they are written as blanks.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeBool(std::string_view section, std::string_view key, bool value);

    bool sectionExists(std::string_view section) const;
    bool keyExists(std::string_view section, std::string_view key) const;
    // Section names as written in the file, in file order; keys of the first such section.
    std::vector<std::string> sectionNames() const;
    std::vector<std::string> keyNames(std::string_view section) const;
    // The key lines of the first such section, in file order: (key, value), as many as written.
    std::vector<std::pair<std::string_view, std::string_view>> entries(std::string_view section) const;

    // Removes every section of that name with all its lines.
    void eraseSection(std::string_view section);
    void eraseKey(std::string_view section, std::string_view key);

    // Stores the file when it was changed. Throws ProfileFileError when that fails; the held
    // copy stays, so a later flush can try again.
    void flush();
    bool modified() const { return modified_; }

private:
    struct Line {
        std::string text;     // the line as it will be written
        std::string section;  // for a section header: its name, trimmed
        std::string key;      // for a key line: its name, trimmed
        std::string value;    // for a key line: its value, trimmed
        bool header = false;
        bool keyLine = false;
    };

    void load();
    static Line parseLine(std::string_view raw);
    // Index of the first header of the section, or npos.
    std::size_t findSection(std::string_view section) const;
    // Index of the key's line inside the section starting at header index `sectionIndex`.
    std::size_t findKey(std::size_t sectionIndex, std::string_view key) const;
    std::size_t sectionEnd(std::size_t sectionIndex) const;

    // The section index stays good while lines are only replaced or appended at the end.
    void linesMoved() { indexed_ = false; }

    std::string path_;
    std::vector<Line> lines_;
    // Upper-cased section name to the index of its first header, built when first needed, so
    // that a file of many keys is not walked from its top for every key read.
    mutable std::unordered_map<std::string, std::size_t> sectionIndex_;
    mutable bool indexed_ = false;
    std::string lineEnd_;
    bool modified_ = false;
};

}  // namespace quarry
