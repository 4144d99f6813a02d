#pragma once
// Search and replace inside the editor control: literally (a skip-table scan over the line
// records) or with a regular expression (TREParser), forward from the selection's end or backward
// from its start, selecting what is found. The find and replace dialogs drive it with the search
// flags below; without the direct flag it asks the host for its own find dialog instead.
//
// Sub-match boundaries of a regular-expression match: the sorted, distinct positions among the
// match's start and end and the starts and ends of its groups, so boundary 0 is the match start,
// the last one the match end, and sub-match n (boundary n-1 to boundary n) is the n-th piece of
// the match cut at its parentheses: for (\w+)=(\d+) on "foo=12", %1 "foo", %2 "=", %3 "12".
#include "text/EditorTypes.h"
#include "regex/TLiteralScanner.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quarry {

class TCustomCodeMemo;
class TREParser;
class TStoreRuns;
class TTextRuns;

class TCodeMemoSearch final {
public:
    // Search flag bits (shared with the dialogs and the persistent store).
    static constexpr std::uint16_t kDirect = 8;
    static constexpr std::uint16_t kMatchCase = 16;
    static constexpr std::uint16_t kRegExpr = 32;
    static constexpr std::uint16_t kWholeWords = 64;
    static constexpr std::uint16_t kBackward = 128;
    static constexpr std::uint16_t kReplaceAll = 256;

    explicit TCodeMemoSearch(TCustomCodeMemo& memo);
    ~TCodeMemoSearch();
    TCodeMemoSearch(const TCodeMemoSearch&) = delete;  // bound to one control
    TCodeMemoSearch& operator=(const TCodeMemoSearch&) = delete;

    // Searches and selects the match; returns its start, or -1 (then OnSearchFail fires). Without
    // kDirect nothing is searched: OnFindDialog is asked to show the find dialog, and -1 returned.
    // An invalid regular expression raises EREParser.
    Offset Search(std::uint16_t flags, const std::string& pattern);
    // Stores the pattern as the last search text and searches with flags plus kDirect; foundPos
    // is the match's start (for a regular expression, the start of the whole match).
    bool FindText(const std::string& pattern, Offset& foundPos, std::uint16_t flags);
    // With kReplaceAll: replaces every match from the search start on (one undo step) and
    // answers whether there was one. Otherwise finds and selects the next match and answers in
    // replaceWith what to put in its place: the replacement unchanged for a literal search, the
    // expanded template for a regular expression. The caller then replaces the selection.
    bool PrepareReplace(const std::string& pattern, const std::string& replacement, std::uint16_t flags,
                        std::string& replaceWith);
    // Replace-all as above; returns the number of replacements.
    int ReplaceAll(const std::string& pattern, const std::string& replacement, std::uint16_t flags);

    // Sub-match boundaries of the last regular-expression match; n is clipped to the count
    // (-1 when there is none).
    int MatchCount() const { return static_cast<int>(boundaries_.size()); }
    Offset Match(int n) const;
    // The expanded template for the last regular-expression match.
    std::string ExpandTemplate(const std::string& replacement);

    const std::string& LastSearchText() const { return lastText_; }
    std::uint16_t LastFlags() const { return lastFlags_; }

    // Fires when a search finds nothing; unassigned, the message "Search string "..." not
    // found." goes to OnMessage (the widget shows it in a box).
    std::function<void(TCustomCodeMemo& sender, const std::string& searchString)> OnSearchFail;
    std::function<void(const std::string& message)> OnMessage;
    std::function<void(const std::string& pattern, std::uint16_t flags)> OnFindDialog;

private:
    struct Found {
        Offset start = 0;
        Offset end = 0;
    };
    // Finds without touching the selection. Forward: the first match starting at or after
    // origin, an empty one at skipEmptyAt refused; backward: the last one starting before origin.
    bool find(std::uint16_t flags, const std::string& pattern, Offset origin, Offset skipEmptyAt, Found& found);
    bool findLiteral(TTextRuns& text, std::uint16_t flags, const std::string& pattern, Offset origin, Found& found);
    bool findRegex(TTextRuns& text, std::uint16_t flags, const std::string& pattern, Offset origin,
                   Offset skipEmptyAt, Found& found);
    bool isWholeWord(const Found& found);
    void recordBoundaries();
    void searchFailed(const std::string& pattern);

    TCustomCodeMemo& memo_;
    TLiteralScanner scanner_;            // reused while pattern and case stay the same
    std::string typedPattern_;           // the literal pattern as given, and as the store holds it
    std::string normalisedPattern_;
    std::unique_ptr<TStoreRuns> runs_;   // its buffers are reused; reset before every search
    std::unique_ptr<TREParser> re_;
    std::vector<Offset> boundaries_;     // of the last regular-expression match
    std::string lastText_;
    std::uint16_t lastFlags_ = 0;
};

}  // namespace quarry
