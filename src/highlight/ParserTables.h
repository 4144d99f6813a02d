#pragma once
// The compiled tables of one highlighting script: what the scanner walks. Plain data with the
// stored form written and read in a fixed order.
#include "highlight/ByteStream.h"
#include "highlight/StateSet.h"
#include "highlight/TKeywords.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace quarry {

// How a token starts or continues: a character group, or a match function (a recogniser or
// the parser's custom-parse event).
struct CharSpec {
    uint8_t testEndFirst = 0;
    uint16_t group = 0;
    uint8_t hasMatch = 0;
    uint8_t matchKind = 0;  // 0: recogniser number; otherwise the custom-parse event
    int32_t matchIndex = 0;
    bool operator==(const CharSpec&) const = default;
};

// How a token ends: a match function, or one to four groups that must follow one another.
struct EndSpec {
    uint8_t use = 0;  // the end characters belong to the token
    uint8_t isMatch = 0;
    uint8_t matchKind = 0;
    int32_t matchIndex = 0;
    uint8_t count = 0;
    std::array<uint16_t, 4> groups{};  // count 0: the end matches at once
    bool operator==(const EndSpec&) const = default;
};

struct TokenDef {
    CharSpec start;
    StateSet states;
    CharSpec body;
    EndSpec end;
    uint8_t value = 0;
    bool operator==(const TokenDef&) const = default;
};

struct HandlerRecord {
    CharSpec start;
    EndSpec end;
    bool operator==(const HandlerRecord&) const = default;
};

enum StackOp : uint8_t { kPushBefore = 1, kPopBefore = 2, kPushAfter = 4, kPopAfter = 8 };

struct StateRecord {
    StateSet valid = StateSet::of({0});
    StateSet add;
    StateSet remove;
    bool container = false;
    bool noChange = true;
    uint8_t stackOp = 0;
    bool operator==(const StateRecord&) const = default;
};

// Token definitions by first character, plus start sets written as ranges.
// invariant: head[c] chains (through nextSame) every per-character definition for c, in the
// order they were added.
struct TokenTable {
    struct Entry {
        uint8_t ch;
        TokenDef def;
        int32_t nextSame = -1;
    };
    struct Range {
        uint16_t low, high;
        TokenDef def;
    };
    std::array<int32_t, 256> head;
    std::vector<Entry> entries;
    std::vector<Range> ranges;

    TokenTable() { head.fill(-1); }
    void add(uint8_t ch, const TokenDef& def);
    // The first definition for c whose state set meets the current states, or null.
    const TokenDef* find(unsigned char c, const StateSet& current) const;
    // A definition that meets `states` and could start with one of `chars` (the ambiguity check).
    bool clashes(const StateSet& chars, const StateSet& states) const;
};

struct ParserTables {
    TSyntaxKeywords words;
    std::array<std::optional<HandlerRecord>, 256> handlers;
    TokenTable defaultTable;
    std::array<std::unique_ptr<TokenTable>, 256> stateTables;
    std::array<StateSet, 256> contexts;
    std::array<bool, 256> contextGiven{};
    std::array<std::optional<StateRecord>, 256> states;
    StateSet anchor = StateSet::of({0});
    StateSet boundStates;
    StateSet startStates = StateSet::of({0});
    bool customMatching = false;
    bool hasStateTables = false;
    StateSet tableStates;  // the states that have their own token table

    void reset();
    StateRecord& record(int value);
    TokenTable& tableFor(int state);

    void write(ByteWriter& out) const;
    void read(ByteReader& in);

private:
    void writeSpec(ByteWriter& out, const CharSpec& s) const;
    void writeEnd(ByteWriter& out, const EndSpec& e) const;
    void writeDef(ByteWriter& out, const TokenDef& d) const;
    CharSpec readSpec(ByteReader& in);
    EndSpec readEnd(ByteReader& in);
    TokenDef readDef(ByteReader& in);
    void writeTable(ByteWriter& out, const TokenTable& t) const;
    void readTable(ByteReader& in, TokenTable& t);
};

}  // namespace quarry
