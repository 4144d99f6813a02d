#pragma once
// The persistent editor store "quarry.dat": a text file of sections, each a header line in
// square brackets followed by its lines. It holds per language the file filters
// ("[Filters: <language in lower case>]") and the settings stream ("[UISettings: ...]", 32 bytes
// a line as lower-case hexadecimal), and the lists "[MRU]", "[FindHistory]" and
// "[ReplaceHistory]".
//
// The file is held as its lines, so sections and lines this program does not know survive a
// rewrite. Section names are found without regard to case; the first of several equal sections
// is the one read and written. Reading never fails on content: odd sections and stray lines are
// kept, overlong lines are cut, and damaged settings lines are reported by SettingsStream. A line
// of a section that looks like a header is written with a blank in front and read without it.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quarry {

class EditorStoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PersistentEditorStore final {
public:
    static constexpr const char* kFileName = "quarry.dat";
    static constexpr const char* kMRU = "MRU";
    static constexpr const char* kFindHistory = "FindHistory";
    static constexpr const char* kReplaceHistory = "ReplaceHistory";
    // Lists (filters, reopen list, histories) keep at most this many lines.
    static constexpr std::size_t kMaxListLines = 20;
    static constexpr std::size_t kBytesPerLine = 32;
    // No line the program writes comes near this; a longer one is damage and is cut.
    static constexpr std::size_t kMaxLineLength = 32768;
    // The joined filter text of a language is cut here.
    static constexpr std::size_t kMaxFilterText = 255;

    // An empty store that belongs to no file.
    PersistentEditorStore() = default;
    // Reads the file when it exists; a missing file gives an empty store that WriteBack creates.
    // Raises EditorStoreError when the file exists but cannot be read.
    explicit PersistentEditorStore(std::string path);

    const std::string& Path() const { return path_; }

    // ---- sections
    bool HasSection(std::string_view name) const;
    // The lines of a section, or none when it is absent.
    std::vector<std::string> Section(std::string_view name) const;
    // Replaces the section's lines, adding the section at the end when it is absent.
    void SetSection(std::string_view name, const std::vector<std::string>& lines);
    void EraseSection(std::string_view name);
    // Section names in file order.
    std::vector<std::string> SectionNames() const;

    // ---- lists of at most kMaxListLines
    std::vector<std::string> List(std::string_view name) const;
    void SetList(std::string_view name, const std::vector<std::string>& lines);

    // ---- per language
    static std::string FiltersSection(std::string_view language);
    static std::string SettingsSection(std::string_view language);
    std::vector<std::string> Filters(std::string_view language) const;
    void SetFilters(std::string_view language, const std::vector<std::string>& lines);
    // The filter lines joined with line breaks and trimmed, at most kMaxFilterText characters.
    std::string FilterText(std::string_view language) const;
    // Stores a filter text as its lines (at most kMaxListLines).
    void SetFilterText(std::string_view language, std::string_view text);

    // The settings stream of a language: nullopt when there is none. Raises EditorStoreError
    // when its lines are not 32-byte lines of hexadecimal digits.
    std::optional<std::string> SettingsStream(std::string_view language) const;
    void SetSettingsStream(std::string_view language, std::string_view bytes);

    // All lines as they will be written.
    const std::vector<std::string>& Lines() const { return lines_; }
    bool Modified() const { return modified_; }

    // Writes the store to its file with its leading empty lines removed, through a temporary
    // file so that a failed write leaves the old file whole. Raises EditorStoreError on failure.
    void WriteBack();

private:
    struct Span {
        std::size_t header;  // index of the header line
        std::size_t end;     // one past the last line of the section
    };
    std::optional<Span> Find(std::string_view name) const;
    // "[name]" from the first column; blanks may follow the bracket.
    static bool IsHeader(std::string_view line);
    static bool NeedsEscape(std::string_view line);
    static std::string_view HeaderName(std::string_view line);

    std::string path_;
    std::vector<std::string> lines_;
    std::string lineEnd_;  // the file's own line end; empty: the platform's
    bool modified_ = false;
};

}  // namespace quarry
