#include "editor/TCodeMemoSearch.h"

#include "text/LineEnds.h"
#include "editor/TCodeMemoPaintLock.h"
#include "editor/TCodeMemoUndoGroup.h"
#include "editor/TCustomCodeMemo.h"
#include "text/TStoreRuns.h"
#include "editor/TReplaceTemplate.h"
#include "text/TUndoStack.h"
#include "regex/TREParser.h"

#include <algorithm>

namespace quarry {

TCodeMemoSearch::TCodeMemoSearch(TCustomCodeMemo& memo)
    : memo_(memo), runs_(std::make_unique<TStoreRuns>(memo.Store())), re_(std::make_unique<TREParser>())
{
}

TCodeMemoSearch::~TCodeMemoSearch() = default;

Offset TCodeMemoSearch::Search(std::uint16_t flags, const std::string& pattern)
{
    if (!(flags & kDirect)) {
        if (OnFindDialog)
            OnFindDialog(pattern, flags);
        return -1;
    }
    lastText_ = pattern;
    lastFlags_ = flags;
    const bool backward = (flags & kBackward) != 0;
    const Offset origin = backward ? memo_.SelStart() : memo_.SelStart() + memo_.SelLength();
    Found found;
    // An empty match where the search starts would be found again by every next search.
    if (!find(flags, pattern, origin, backward ? -1 : origin, found)) {
        searchFailed(pattern);
        return -1;
    }
    memo_.SetSelection(found.start, found.end);
    memo_.ScrollCaretIntoView();
    return found.start;
}

bool TCodeMemoSearch::FindText(const std::string& pattern, Offset& foundPos, std::uint16_t flags)
{
    lastText_ = pattern;
    const Offset at = Search(static_cast<std::uint16_t>(flags | kDirect), pattern);
    if (at < 0)
        return false;
    foundPos = at;
    return true;
}

bool TCodeMemoSearch::PrepareReplace(const std::string& pattern, const std::string& replacement,
                                     std::uint16_t flags, std::string& replaceWith)
{
    if (flags & kReplaceAll)
        return ReplaceAll(pattern, replacement, flags) > 0;
    const auto searchFlags = static_cast<std::uint16_t>(flags | kDirect);
    if (Search(searchFlags, pattern) < 0)
        return false;
    replaceWith = (flags & kRegExpr) ? ExpandTemplate(replacement) : replacement;
    return true;
}

int TCodeMemoSearch::ReplaceAll(const std::string& pattern, const std::string& replacement, std::uint16_t flags)
{
    lastText_ = pattern;
    lastFlags_ = static_cast<std::uint16_t>(flags | kDirect);
    if (memo_.readOnly)
        return 0;
    const bool backward = (flags & kBackward) != 0;
    const bool regex = (flags & kRegExpr) != 0;
    TCodeMemoUndoGroup group(memo_, ugReplaceAll);
    TCodeMemoPaintLock lock(memo_);
    Offset origin = backward ? memo_.SelStart() : memo_.SelStart() + memo_.SelLength();
    Offset afterLast = -1;  // just after the last replacement: an empty match there is the same place
    int count = 0;
    Found found;
    TTextStore& store = memo_.Store();
    while (find(flags, pattern, origin, afterLast, found)) {
        const std::string text = regex ? ExpandTemplate(replacement) : replacement;
        const Offset before = store.CharCount();
        memo_.SetSelection(found.start, found.end);
        memo_.ReplaceSelection(text);
        ++count;
        const Offset inserted = store.CharCount() - before + (found.end - found.start);
        afterLast = found.start + inserted;
        origin = backward ? found.start : afterLast;
    }
    if (count == 0)
        searchFailed(pattern);
    return count;
}

Offset TCodeMemoSearch::Match(int n) const
{
    if (boundaries_.empty())
        return -1;
    n = std::clamp(n, 0, MatchCount() - 1);
    return boundaries_[static_cast<std::size_t>(n)];
}

std::string TCodeMemoSearch::ExpandTemplate(const std::string& replacement)
{
    return TReplaceTemplate::Expand(replacement, [this](int n) {
        const Offset from = Match(n - 1);
        const Offset to = Match(n);
        return to > from ? memo_.Store().GetText(from, to) : std::string();
    });
}

bool TCodeMemoSearch::find(std::uint16_t flags, const std::string& pattern, Offset origin, Offset skipEmptyAt,
                           Found& found)
{
    TTextStore& store = memo_.Store();
    if (pattern.empty() || store.CharCount() == 0)
        return false;
    runs_->Reset();
    if (flags & kRegExpr)
        return findRegex(*runs_, flags, pattern, origin, skipEmptyAt, found);
    return findLiteral(*runs_, flags, pattern, origin, found);
}

bool TCodeMemoSearch::findLiteral(TTextRuns& text, std::uint16_t flags, const std::string& pattern, Offset origin,
                                  Found& found)
{
    // The pattern is compared with the text as the store holds it: line ends as CR.
    if (pattern != typedPattern_ || normalisedPattern_.empty()) {
        typedPattern_ = pattern;
        normalisedPattern_.clear();
        NormaliseLineEnds(pattern, normalisedPattern_);
    }
    scanner_.setPattern(normalisedPattern_, (flags & kMatchCase) != 0);
    const Offset length = static_cast<Offset>(normalisedPattern_.size());
    const bool backward = (flags & kBackward) != 0;
    TextPos at = origin;
    for (;;) {
        at = backward ? scanner_.findBackward(text, at) : scanner_.findForward(text, at);
        if (at < 0)
            return false;
        found = {static_cast<Offset>(at), static_cast<Offset>(at) + length};
        if (!(flags & kWholeWords) || isWholeWord(found))
            return true;
        at = backward ? at : at + 1;  // a part of a longer word: look on after it
    }
}

bool TCodeMemoSearch::findRegex(TTextRuns& text, std::uint16_t flags, const std::string& pattern, Offset origin,
                                Offset skipEmptyAt, Found& found)
{
    re_->SetCaseSensitive((flags & kMatchCase) != 0);
    re_->SetExpression(pattern);
    const bool backward = (flags & kBackward) != 0;
    TextPos at = origin;
    for (;;) {
        if (!re_->Search(text, at, !backward))
            return false;
        found = {static_cast<Offset>(re_->MatchStart()), static_cast<Offset>(re_->MatchEnd())};
        const bool emptyAgain = found.start == found.end && found.start == skipEmptyAt;
        if (!emptyAgain && (!(flags & kWholeWords) || isWholeWord(found))) {
            recordBoundaries();
            return true;
        }
        at = backward ? found.start : found.start + 1;
    }
}

bool TCodeMemoSearch::isWholeWord(const Found& found)
{
    TTextStore& store = memo_.Store();
    const auto wordAt = [&](Offset at) {
        return at >= 0 && at < store.CharCount() && memo_.IsWordChar(static_cast<unsigned char>(store.CharAt(at)));
    };
    return !wordAt(found.start - 1) && !wordAt(found.end);
}

void TCodeMemoSearch::recordBoundaries()
{
    boundaries_.clear();
    for (int i = 0; i < 2 + 2 * reop::kMaxGroups; ++i) {
        const TextPos p = re_->RecordedPosition(i);
        if (p >= re_->MatchStart() && p <= re_->MatchEnd())
            boundaries_.push_back(static_cast<Offset>(p));
    }
    std::sort(boundaries_.begin(), boundaries_.end());
    boundaries_.erase(std::unique(boundaries_.begin(), boundaries_.end()), boundaries_.end());
}

void TCodeMemoSearch::searchFailed(const std::string& pattern)
{
    if (OnSearchFail)
        OnSearchFail(memo_, pattern);
    else if (OnMessage)
        OnMessage("Search string \"" + pattern + "\" not found.");
}

}  // namespace quarry
