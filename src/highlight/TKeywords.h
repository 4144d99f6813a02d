#pragma once
// A character trie of words, each ending carrying the states it is valid in, the group of
// characters that may follow it and the value it yields. Lookup answers: the longest word at the
// cursor that is valid in the current state set and properly ended.
#include "highlight/ScanCursor.h"
#include "highlight/StateSet.h"
#include "highlight/TCM_CharGroup.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quarry {

class EKeywords : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct KeywordEnding {
    StateSet states;
    uint16_t endGroup = 0;
    int32_t value = 0;
};

class TKeywords {
public:
    TKeywords();
    virtual ~TKeywords() = default;
    TKeywords(const TKeywords&) = delete;  // groups and nodes are referenced by index
    TKeywords& operator=(const TKeywords&) = delete;

    // Raises EKeywords "Duplicate keyword - '%s'" when the word already ends with a state set
    // that meets the new one.
    void add(const std::string& word, bool caseSensitive, int32_t value, const StateSet& states,
             uint16_t endGroup);
    // Longest valid, properly ended word at the cursor. On a match the cursor stands after it and
    // length is its length; on none the cursor is one character past the start and length is 1.
    // With prune set the walk also stops at nodes none of whose words is valid now.
    // Defined below as a template so the scanner's concrete cursors are called directly.
    template <class Cursor>
    // utf8Letters: bytes from 0x80 on are letters for the end groups (see TCM_CharGroup).
    const KeywordEnding* lookup(Cursor& cursor, ScanOffset& start, int& length, bool prune = false,
                                bool utf8Letters = false) const;

    void setCurrentStates(const StateSet& states) { current_ = states; }
    const StateSet& currentStates() const { return current_; }
    bool caseSensitive() const { return caseSensitive_; }
    bool empty() const { return nodes_.empty(); }
    virtual void clear();

    TCM_CharGroupManager& groups() { return groups_; }
    const TCM_CharGroupManager& groups() const { return groups_; }

private:
    static constexpr int32_t kNone = -1;
    // invariant: siblings reached through next are in ascending character order.
    struct Node {
        unsigned char ch = ' ';
        int32_t next = kNone;
        int32_t child = kNone;
        int32_t terminals = kNone;
        StateSet states;
    };
    struct Terminal {
        KeywordEnding ending;
        int32_t next = kNone;
    };
    int32_t findOrInsert(int32_t& head, unsigned char c);
    unsigned char fold(unsigned char c) const { return (!caseSensitive_ && c >= 'A' && c <= 'Z') ? c + 32 : c; }

    bool caseSensitive_ = false;
    int32_t first_[256];
    std::vector<Node> nodes_;
    std::vector<Terminal> terminals_;
    StateSet current_ = StateSet::of({0});
    TCM_CharGroupManager groups_;
};

template <class Cursor>
const KeywordEnding* TKeywords::lookup(Cursor& cursor, ScanOffset& start, int& length, bool prune,
                                       bool utf8Letters) const
{
    start = cursor.position();
    length = 0;
    const KeywordEnding* best = nullptr;
    ScanOffset bestEnd = start;
    int32_t node = cursor.atEnd() ? kNone : first_[fold(cursor.current())];
    while (node != kNone && !cursor.atEnd()) {
        const unsigned char c = fold(cursor.current());
        while (node != kNone && nodes_[size_t(node)].ch < c)
            node = nodes_[size_t(node)].next;
        if (node == kNone || nodes_[size_t(node)].ch != c)
            break;
        const Node& n = nodes_[size_t(node)];
        if (prune && !n.states.meets(current_))
            break;
        cursor.next();
        for (int32_t t = n.terminals; t != kNone; t = terminals_[size_t(t)].next) {
            const KeywordEnding& e = terminals_[size_t(t)].ending;
            if (!e.states.meets(current_))
                continue;
            const TCM_CharGroup& group = groups_.at(e.endGroup);
            // At the end of the text nothing follows, which every end group accepts.
            if (group.isEmpty() || cursor.atEnd() || group.contains(cursor.current(), utf8Letters)) {
                best = &e;
                bestEnd = cursor.position();
                break;
            }
        }
        node = n.child;
    }
    if (best) {
        cursor.seek(bestEnd);
        length = int(bestEnd - start);
        return best;
    }
    cursor.seek(start);
    cursor.next();
    length = 1;
    return nullptr;
}

// The parser's words table: the trie plus the list of its words so it can be written and rebuilt.
class TSyntaxKeywords final : public TKeywords {
public:
    struct TEndStyleObject {
        TCM_CharGroup endGroup;
        int32_t value = 0;
        StateSet states;
    };
    struct Word {
        std::string text;
        TEndStyleObject style;
    };

    void addWord(const std::string& word, bool caseSensitive, int32_t value, const StateSet& states,
                 const TCM_CharGroup& endGroup);
    const std::vector<Word>& words() const { return words_; }
    void clear() override;

    void write(ByteWriter& out) const;
    void read(ByteReader& in);

private:
    std::vector<Word> words_;
};

}  // namespace quarry
