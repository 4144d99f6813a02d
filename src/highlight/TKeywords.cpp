#include "highlight/TKeywords.h"

#include <algorithm>

namespace quarry {

TKeywords::TKeywords()
{
    std::fill(std::begin(first_), std::end(first_), kNone);
}

void TKeywords::clear()
{
    std::fill(std::begin(first_), std::end(first_), kNone);
    nodes_.clear();
    terminals_.clear();
    groups_.clear();
}

int32_t TKeywords::findOrInsert(int32_t& head, unsigned char c)
{
    // Indices, not pointers: push_back below may move the nodes.
    int32_t prev = kNone;
    int32_t at = head;
    while (at != kNone && nodes_[size_t(at)].ch < c) {
        prev = at;
        at = nodes_[size_t(at)].next;
    }
    if (at != kNone && nodes_[size_t(at)].ch == c)
        return at;
    Node node;
    node.ch = c;
    node.next = at;
    nodes_.push_back(node);
    int32_t created = int32_t(nodes_.size() - 1);
    if (prev == kNone)
        head = created;
    else
        nodes_[size_t(prev)].next = created;
    return created;
}

void TKeywords::add(const std::string& word, bool caseSensitive, int32_t value, const StateSet& states,
                    uint16_t endGroup)
{
    if (word.empty())
        return;
    caseSensitive_ = caseSensitive;
    // The first-level table holds the head of each first character's sibling list, so a word's
    // first node is reached in one step.
    int32_t node = findOrInsert(first_[fold((unsigned char)word[0])], fold((unsigned char)word[0]));
    nodes_[size_t(node)].states |= states;
    for (size_t i = 1; i < word.size(); ++i) {
        int32_t child = nodes_[size_t(node)].child;
        int32_t found = findOrInsert(child, fold((unsigned char)word[i]));
        nodes_[size_t(node)].child = child;
        node = found;
        nodes_[size_t(node)].states |= states;
    }
    int32_t last = kNone;
    for (int32_t t = nodes_[size_t(node)].terminals; t != kNone; t = terminals_[size_t(t)].next) {
        if (terminals_[size_t(t)].ending.states.meets(states))
            throw EKeywords("Duplicate keyword - '" + word + "'");
        last = t;
    }
    terminals_.push_back({KeywordEnding{states, endGroup, value}, kNone});
    const int32_t created = int32_t(terminals_.size() - 1);
    if (last == kNone)
        nodes_[size_t(node)].terminals = created;
    else
        terminals_[size_t(last)].next = created;
}

void TSyntaxKeywords::addWord(const std::string& word, bool caseSensitive, int32_t value, const StateSet& states,
                              const TCM_CharGroup& endGroup)
{
    add(word, caseSensitive, value, states, groups().intern(endGroup));
    words_.push_back({word, {endGroup, value, states}});
}

void TSyntaxKeywords::clear()
{
    TKeywords::clear();
    words_.clear();
}

void TSyntaxKeywords::write(ByteWriter& out) const
{
    out.u32(caseSensitive() ? 1 : 0);
    out.u32(uint32_t(words_.size()));
    for (const Word& w : words_) {
        out.shortString(w.text);
        w.style.endGroup.write(out);
        out.set(w.style.states);
        out.i32(w.style.value);
    }
    out.u8(0);
}

void TSyntaxKeywords::read(ByteReader& in)
{
    clear();
    bool caseSensitive = in.u32() != 0;
    uint32_t count = in.count(1 + 33 + 32 + 4);
    for (uint32_t i = 0; i < count; ++i) {
        std::string text = in.shortString();
        TCM_CharGroup group = TCM_CharGroup::read(in);
        StateSet states = in.set();
        int32_t value = in.i32();
        addWord(text, caseSensitive, value, states, group);
    }
    in.u8();
}

}  // namespace quarry
