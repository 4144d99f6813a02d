#pragma once
// TREParser: a regular expression compiled into a node program (TRECompiler) and searched for in
// the editor text (TREMatcher). The syntax:
//   c  .  ^  $          a character, any character but a line end, line start, line end
//   \d \D \w \W \s \S   digit, word character (letters, digits, "_"), white space, complements
//   [a-z_] [^...]       classes; "..." a literal text; (...) a group, at most 9
//   * + ? {m} {m,} {,n} {m,n}   repeats;  a|b  alternatives;  A||B  A then B or B then A, each
//                               optional after the other
//   escapes \n (CR, the line end) \r (LF) \t \b (backspace) \f \x41 \101, \ before anything else
//   gives that character.
// "^" and "$" are zero-width: they match at the start and end of every line, the text's own
// start and end included.
#include "text/TTextRuns.h"
#include "regex/EREParser.h"
#include "regex/TREProgram.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quarry {

class TEdStream;
class TREMatcher;

class TREParser final {
public:
    // Entries of the recorded-position table that can be read, 0..255.
    static constexpr int kRecordedPositions = 256;

    TREParser();
    ~TREParser();
    TREParser(const TREParser&) = delete;  // owns the matcher and its per-search state
    TREParser& operator=(const TREParser&) = delete;

    // Compiles text unless it equals the current expression and a program exists; true on
    // success. Faults throw EREParser, and LastError/ErrorPosition keep the code and position; a
    // failed compile leaves no program. An empty text fails with "Invalid parameter".
    bool SetExpression(const std::string& text);
    const std::string& Expression() const { return expression_; }
    bool HasProgram() const { return matcher_ != nullptr; }

    // Ignoring case, letters match in either case (Windows-1252). A change drops the program so
    // that the next SetExpression compiles again.
    void SetCaseSensitive(bool on);
    bool CaseSensitive() const { return caseSensitive_; }

    // Forward: tries a match at from, from+1, ... up to the end of the text. Backward: tries at
    // from-1, from-2, ... down to 0. True when found; the recorded positions describe the match.
    // Without a program: "Invalid parameter". A search that needs more steps than its budget
    // (the fixed allowance plus a number per character it may cover) ends with "Expression too
    // complex".
    bool Search(TTextRuns& text, TextPos from, bool forward);
    // The same over the editor text from the cursor's position (up to its end offset); on
    // success the cursor stands after the match.
    bool Search(TEdStream& stream, bool forward);

    // The table: 0 match start, 1 match end, 2n and 2n+1 the start and end of group n (1..9);
    // -1 where nothing was recorded. Index beyond 0..255: "Index range error".
    TextPos RecordedPosition(int index) const;
    TextPos MatchStart() const { return table_[0]; }
    TextPos MatchEnd() const { return table_[1]; }
    int GroupCount() const { return program_.groups; }

    TREError LastError() const { return lastError_; }
    int ErrorPosition() const { return errorPosition_; }

    const std::vector<std::uint8_t>& Program() const { return program_.code; }
    std::string Dump() const { return reDump(program_.code); }
    std::string DescribeFilters() const;

    void SetStepBudget(std::int64_t steps);
    void SetAccelerators(bool on);

private:
    [[noreturn]] void fail(const EREParser& error);

    std::string expression_;
    bool caseSensitive_ = true;
    TREProgram program_;
    std::unique_ptr<TREMatcher> matcher_;  // null: no usable program
    std::array<TextPos, kRecordedPositions> table_;
    TREError lastError_ = TREError::None;
    int errorPosition_ = -1;
    std::int64_t budget_;
    bool accelerate_ = true;
};

}  // namespace quarry
