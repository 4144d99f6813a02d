#include "highlight/ParserTables.h"

namespace quarry {

void TokenTable::add(uint8_t ch, const TokenDef& def)
{
    entries.push_back({ch, def, -1});
    int32_t index = int32_t(entries.size() - 1);
    if (head[ch] < 0) {
        head[ch] = index;
        return;
    }
    int32_t at = head[ch];
    while (entries[size_t(at)].nextSame >= 0)
        at = entries[size_t(at)].nextSame;
    entries[size_t(at)].nextSame = index;
}

const TokenDef* TokenTable::find(unsigned char c, const StateSet& current) const
{
    for (int32_t at = head[c]; at >= 0; at = entries[size_t(at)].nextSame)
        if (entries[size_t(at)].def.states.meets(current))
            return &entries[size_t(at)].def;
    for (const Range& r : ranges)
        if (c >= r.low && c <= r.high && r.def.states.meets(current))
            return &r.def;
    return nullptr;
}

bool TokenTable::clashes(const StateSet& chars, const StateSet& states) const
{
    for (const Entry& e : entries)
        if (chars.has(e.ch) && e.def.states.meets(states))
            return true;
    for (const Range& r : ranges) {
        if (!r.def.states.meets(states))
            continue;
        for (int c = r.low; c <= r.high && c < 256; ++c)
            if (chars.has(c))
                return true;
    }
    return false;
}

void ParserTables::reset()
{
    words.clear();
    for (auto& h : handlers)
        h.reset();
    defaultTable = TokenTable();
    for (auto& t : stateTables)
        t.reset();
    contexts.fill(StateSet::of({0}));
    contextGiven.fill(false);
    for (auto& s : states)
        s.reset();
    anchor = StateSet::of({0});
    boundStates = StateSet();
    startStates = StateSet::of({0});
    customMatching = false;
    hasStateTables = false;
    tableStates = StateSet();
}

StateRecord& ParserTables::record(int value)
{
    auto& r = states[size_t(value & 0xFF)];
    if (!r)
        r.emplace();
    return *r;
}

TokenTable& ParserTables::tableFor(int state)
{
    auto& t = stateTables[size_t(state & 0xFF)];
    if (!t)
        t = std::make_unique<TokenTable>();
    tableStates.add(state);
    hasStateTables = true;
    return *t;
}

void ParserTables::writeSpec(ByteWriter& out, const CharSpec& s) const
{
    out.u8(s.testEndFirst);
    words.groups().at(s.group).write(out);
    out.u8(s.hasMatch);
    if (s.hasMatch) {
        out.u8(s.matchKind);
        out.i32(s.matchIndex);
    }
}

CharSpec ParserTables::readSpec(ByteReader& in)
{
    CharSpec s;
    s.testEndFirst = uint8_t(in.u8());
    s.group = words.groups().intern(TCM_CharGroup::read(in));
    s.hasMatch = uint8_t(in.u8());
    if (s.hasMatch) {
        s.matchKind = uint8_t(in.u8());
        s.matchIndex = in.i32();
    }
    return s;
}

// The end's groups are written by the group's own stream method, like a specifier's, so the
// stored form does not depend on the order in which groups were numbered.
void ParserTables::writeEnd(ByteWriter& out, const EndSpec& e) const
{
    out.u8(e.use);
    out.u8(e.isMatch);
    if (e.isMatch) {
        out.u8(e.matchKind);
        out.i32(e.matchIndex);
        return;
    }
    out.u8(e.count);
    for (unsigned i = 0; i < e.count; ++i)
        words.groups().at(e.groups[i]).write(out);
}

EndSpec ParserTables::readEnd(ByteReader& in)
{
    EndSpec e;
    e.use = uint8_t(in.u8());
    e.isMatch = uint8_t(in.u8());
    if (e.isMatch) {
        e.matchKind = uint8_t(in.u8());
        e.matchIndex = in.i32();
        return e;
    }
    e.count = uint8_t(in.u8());
    if (e.count > 4)
        throw CorruptFormError("Compiled parser data is damaged");
    for (unsigned i = 0; i < e.count; ++i)
        e.groups[i] = words.groups().intern(TCM_CharGroup::read(in));
    return e;
}

void ParserTables::writeDef(ByteWriter& out, const TokenDef& d) const
{
    writeSpec(out, d.start);
    out.set(d.states);
    writeSpec(out, d.body);
    writeEnd(out, d.end);
    out.u8(d.value);
}

TokenDef ParserTables::readDef(ByteReader& in)
{
    TokenDef d;
    d.start = readSpec(in);
    d.states = in.set();
    d.body = readSpec(in);
    d.end = readEnd(in);
    d.value = uint8_t(in.u8());
    return d;
}

void ParserTables::writeTable(ByteWriter& out, const TokenTable& t) const
{
    out.u32(uint32_t(t.entries.size()));
    for (const auto& e : t.entries) {
        out.u8(e.ch);
        writeDef(out, e.def);
    }
    out.u32(uint32_t(t.ranges.size()));
    for (const auto& r : t.ranges) {
        out.u16(r.low);
        out.u16(r.high);
        writeDef(out, r.def);
    }
}

void ParserTables::readTable(ByteReader& in, TokenTable& t)
{
    constexpr size_t kMinDef = 2 * 35 + 32 + 3 + 1;
    for (uint32_t n = in.count(1 + kMinDef), i = 0; i < n; ++i) {
        uint8_t ch = uint8_t(in.u8());
        t.add(ch, readDef(in));
    }
    for (uint32_t n = in.count(4 + kMinDef), i = 0; i < n; ++i) {
        TokenTable::Range r;
        r.low = uint16_t(in.u16());
        r.high = uint16_t(in.u16());
        r.def = readDef(in);
        t.ranges.push_back(r);
    }
}

void ParserTables::write(ByteWriter& out) const
{
    words.write(out);
    uint32_t handlerCount = 0;
    for (const auto& h : handlers)
        handlerCount += h ? 1 : 0;
    out.u32(handlerCount);
    for (int v = 0; v < 256; ++v) {
        if (!handlers[size_t(v)])
            continue;
        out.u8(unsigned(v));
        writeSpec(out, handlers[size_t(v)]->start);
        writeEnd(out, handlers[size_t(v)]->end);
    }
    writeTable(out, defaultTable);
    uint32_t contextCount = 0;
    for (int s = 0; s < 256; ++s)
        contextCount += contexts[size_t(s)] != startStates ? 1 : 0;
    out.u32(contextCount);
    for (int s = 0; s < 256; ++s) {
        if (contexts[size_t(s)] == startStates)
            continue;
        out.u8(unsigned(s));
        out.set(contexts[size_t(s)]);
    }
    uint32_t recordCount = 0;
    for (const auto& r : states)
        recordCount += r ? 1 : 0;
    out.u32(recordCount);
    for (int v = 0; v < 256; ++v) {
        const auto& r = states[size_t(v)];
        if (!r)
            continue;
        out.u8(unsigned(v));
        out.set(r->valid);
        out.set(r->add);
        out.set(r->remove);
        out.u8(r->container);
        out.u8(r->noChange);
        out.u8(r->stackOp);
    }
    uint32_t tableCount = 0;
    if (hasStateTables)
        for (const auto& t : stateTables)
            tableCount += t ? 1 : 0;
    out.u32(tableCount);
    for (int s = 0; hasStateTables && s < 256; ++s) {
        if (!stateTables[size_t(s)])
            continue;
        out.u8(unsigned(s));
        writeTable(out, *stateTables[size_t(s)]);
    }
    out.set(anchor);
    out.set(boundStates);
    out.set(startStates);
    out.u8(customMatching);
}

void ParserTables::read(ByteReader& in)
{
    reset();
    words.read(in);
    for (uint32_t n = in.count(1 + 35 + 2), i = 0; i < n; ++i) {
        unsigned v = in.u8();
        HandlerRecord h;
        h.start = readSpec(in);
        h.end = readEnd(in);
        handlers[v] = h;
    }
    readTable(in, defaultTable);
    std::vector<std::pair<unsigned, StateSet>> given;
    for (uint32_t n = in.count(33), i = 0; i < n; ++i) {
        unsigned s = in.u8();
        given.emplace_back(s, in.set());
    }
    for (uint32_t n = in.count(1 + 96 + 3), i = 0; i < n; ++i) {
        unsigned v = in.u8();
        StateRecord r;
        r.valid = in.set();
        r.add = in.set();
        r.remove = in.set();
        r.container = in.u8() != 0;
        r.noChange = in.u8() != 0;
        r.stackOp = uint8_t(in.u8());
        states[v] = r;
    }
    for (uint32_t n = in.count(9), i = 0; i < n; ++i) {
        unsigned s = in.u8();
        readTable(in, tableFor(int(s)));
    }
    anchor = in.set();
    boundStates = in.set();
    startStates = in.set();
    customMatching = in.u8() != 0;
    // Contexts not stored are the start-state set, which is only known now.
    contexts.fill(startStates);
    for (const auto& [s, set] : given) {
        contexts[s] = set;
        contextGiven[s] = true;
    }
}

}  // namespace quarry
