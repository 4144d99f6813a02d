#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace quarry {

// What the tools wrote, line by line, as the output panel shows it. Bytes arrive in chunks of
// any size; a line is kept once its end arrived (or the tool ended). Only the newest lines are
// kept and very long lines are cut, so a tool that floods its output costs bounded memory; the
// panel tells how many lines it no longer holds.
class OutputLog final {
public:
    enum class Kind : std::uint8_t { Command, Output, Error, Note };
    struct Line {
        std::string text;
        Kind kind;
    };
    static constexpr std::size_t kDefaultMaxLines = 200000;
    static constexpr std::size_t kDefaultMaxLineLength = 4096;
    static constexpr std::string_view kCutMark = " [...]";

    explicit OutputLog(std::size_t maxLines = kDefaultMaxLines, std::size_t maxLineLength = kDefaultMaxLineLength);

    // Bytes of a tool's standard output (Output) or error (Error).
    void Append(Kind kind, std::string_view bytes);
    // A whole line of the panel's own: the command line, the exit code.
    void AppendLine(Kind kind, std::string_view text);
    // Keeps the unfinished lines as they are (the tool ended without a last line break).
    void EndLines();
    void Clear();

    std::size_t Count() const { return lines_.size(); }
    const Line& At(std::size_t index) const { return lines_[index]; }
    // Lines given up to keep within the limit.
    std::uint64_t Dropped() const { return dropped_; }
    // The longest line kept so far, in characters (for the panel's horizontal extent).
    std::size_t Widest() const { return widest_; }
    // Changes whenever lines are added or dropped.
    std::uint64_t Version() const { return version_; }

private:
    struct Pending {
        std::string text;
        bool cut = false;
    };
    Pending& PendingFor(Kind kind) { return pending_[kind == Kind::Error ? 1 : 0]; }
    void Keep(Kind kind, std::string text, bool cut);
    void AddToPending(Pending& pending, std::string_view part);

    std::size_t maxLines_;
    std::size_t maxLineLength_;
    std::deque<Line> lines_;
    std::array<Pending, 2> pending_;
    std::uint64_t dropped_ = 0;
    std::size_t widest_ = 0;
    std::uint64_t version_ = 0;
};

}  // namespace quarry
