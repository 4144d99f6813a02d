#include "regex/TREMatcher.h"

#include "regex/TSearchChars.h"
#include "regex/EREParser.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace quarry {

using namespace reop;

namespace {

enum class Op : std::uint8_t {
    End, Bol, Eol, Char, Lit, Branch, Jump, Repeat, Open, Close, Set, Dec, TestZero, Below1, Above0
};

enum Kind : std::uint8_t { kAlt, kRepeat, kSlot, kCounter };

constexpr std::size_t kMaxFrames = 1 << 22;  // backtracking entries of one attempt (~100 MB)
constexpr int kMaxPrefixes = 16;
constexpr std::size_t kMaxPrefixLength = 32;

[[noreturn]] void internalError()
{
    throw EREParser(TREError::Internal, -1);
}

bool consumes(Op op)
{
    return op == Op::Char || op == Op::Lit || op == Op::Repeat;
}

}  // namespace

struct TREMatcher::Inst {
    Op op = Op::Jump;
    std::uint8_t arg = 0;       // group or counter number
    std::int32_t next = -1;     // successor; -1 only for End
    std::int32_t alt = -1;      // Branch: its alternative; tests: the node right after; the
                                // Jump of a chain's last BRANCH: where the chain continues
    std::int32_t table = -1;    // Char, Repeat: the characters that match
    std::int32_t follow = -1;   // Repeat: characters that can begin what follows, -1 any
    std::int32_t min = 0;       // Repeat; Set: the start value
    std::int32_t max = -1;      // Repeat, -1 no bound
    std::uint32_t lit = 0;      // Lit: offset and length in literals_
    std::uint32_t litLen = 0;
};

struct TREMatcher::Frame {
    std::uint8_t kind;
    std::uint8_t arg;
    std::int32_t inst;
    TextPos pos;
    TextPos value;
};

TREMatcher::TREMatcher(const TREProgram& program)
{
    for (int c = 0; c < 256; ++c)
        identity_[c] = static_cast<std::uint8_t>(c);
    fold_ = program.caseSensitive ? identity_.data() : TSearchChars::upperTable().data();
    groups_ = program.groups;
    counters_ = program.counters;
    decode(program);
    analyse();
}

TREMatcher::~TREMatcher() = default;

// Visits every instruction reachable from `from` once (links below 0 lead nowhere); visit(i)
// says whether to go on to i's successors. False when a visit failed the walk.
template <typename Visit>
bool TREMatcher::walkReachable(int from, Visit visit) const
{
    std::vector<char> seen(insts_.size(), 0);
    std::vector<int> todo{from};
    while (!todo.empty()) {
        const int i = todo.back();
        todo.pop_back();
        if (i < 0 || seen[i])
            continue;
        seen[i] = 1;
        switch (visit(i)) {
        case Walk::Fail:
            return false;
        case Walk::Prune:
            break;
        case Walk::Follow:
            for (int s : successors(i))
                todo.push_back(s);
            break;
        }
    }
    return true;
}

// ---- decoding ----

void TREMatcher::decode(const TREProgram& program)
{
    const auto& code = program.code;
    if (code.empty() || code[0] != kMagic)
        internalError();
    std::vector<int> indexOf(code.size() + 1, -1);
    std::vector<int> offsets;
    for (std::size_t at = 1; at < code.size();) {
        const int size = reNodeSize(code, at);
        if (size == 0)
            internalError();
        indexOf[at] = static_cast<int>(offsets.size());
        offsets.push_back(static_cast<int>(at));
        at += static_cast<std::size_t>(size);
    }
    if (offsets.empty())
        internalError();
    auto index = [&](int offset) {
        if (offset <= 0 || offset >= static_cast<int>(code.size()) || indexOf[offset] < 0)
            internalError();
        return indexOf[offset];
    };
    auto nextIndex = [&](int offset) {
        const int next = reNext(code, offset);
        return next == 0 ? -1 : index(next);
    };
    // Equal tables are shared: a long literal would otherwise cost 256 bytes a character.
    std::map<std::array<std::uint8_t, 256>, int> known;
    auto intern = [&](const std::array<std::uint8_t, 256>& table) {
        const auto [it, added] = known.emplace(table, static_cast<int>(tables_.size()));
        if (added)
            tables_.push_back(table);
        return it->second;
    };
    // The table of a single-character node; -1 when the node is not one.
    auto charTable = [&](int at) {
        std::array<std::uint8_t, 256> table{};
        const std::uint8_t op = code[at];
        if (op == ANY) {
            table.fill(1);
            table['\r'] = 0;
        } else if (op == ANYOF || op == ANYBUT) {
            for (int c = 0; c < 256; ++c)
                table[c] = ((code[at + kHeader + c] != 0) != (op == ANYBUT)) ? 1 : 0;
        } else if (op == EXACTLY && code[at + kHeader] != 0 && code[at + kHeader + 1] == 0) {
            const std::uint8_t want = fold_[code[at + kHeader]];
            for (int c = 1; c < 256; ++c)
                table[c] = fold_[c] == want ? 1 : 0;
        } else {
            return -1;
        }
        return intern(table);
    };

    std::vector<std::string> exact(offsets.size());  // folded text of each EXACTLY node
    insts_.resize(offsets.size());
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const int at = offsets[i];
        const std::uint8_t op = code[at];
        Inst& in = insts_[i];
        in.next = nextIndex(at);
        switch (op) {
        case END: in.op = Op::End; break;
        case BOL: in.op = Op::Bol; break;
        case EOL: in.op = Op::Eol; break;
        case ANY: case ANYOF: case ANYBUT:
            in.op = Op::Char;
            in.table = charTable(at);
            break;
        case EXACTLY: {
            std::string s;
            for (int k = at + kHeader; code[k] != 0; ++k)
                s += static_cast<char>(fold_[code[k]]);
            exact[i] = s;
            if (s.empty()) {
                in.op = Op::Jump;
            } else if (s.size() == 1) {
                in.op = Op::Char;
                in.table = charTable(at);
            } else {
                in.op = Op::Lit;
                in.lit = static_cast<std::uint32_t>(literals_.size());
                in.litLen = static_cast<std::uint32_t>(s.size());
                literals_ += s;
            }
            break;
        }
        case BRANCH: {
            const int next = reNext(code, at);
            if (next != 0 && code[next] == BRANCH) {
                in.op = Op::Branch;
                in.alt = index(at + kHeader);
            } else {  // a lone alternative is no choice: step into it
                in.op = Op::Jump;
                in.alt = in.next;
                in.next = index(at + kHeader);
            }
            break;
        }
        case BACK: case NOTHING: in.op = Op::Jump; break;
        case STAR: case PLUS:
            in.op = Op::Repeat;
            in.min = op == PLUS ? 1 : 0;
            in.table = charTable(at + kHeader);
            if (in.table < 0)
                internalError();
            break;
        case CSET:
            in.op = Op::Set;
            in.arg = code[at + 3];
            in.min = code[at + 4] | (code[at + 5] << 8);
            break;
        case CDEC: in.op = Op::Dec; in.arg = code[at + 3]; break;
        case CTESTZERO: case CBELOW1: case CABOVE0:
            in.op = op == CTESTZERO ? Op::TestZero : op == CBELOW1 ? Op::Below1 : Op::Above0;
            in.arg = code[at + 3];
            in.alt = index(at + kCounterSize);
            break;
        default:
            in.op = op > CLOSE ? Op::Close : Op::Open;
            in.arg = static_cast<std::uint8_t>(op > CLOSE ? op - CLOSE : op - OPEN);
            break;
        }
    }
    for (const auto& r : program.fastRepeats) {
        Inst& in = insts_[index(r.head)];
        in = Inst{};
        in.op = Op::Repeat;
        in.min = r.min;
        in.max = r.max;
        in.table = charTable(r.atom);
        in.next = index(r.exit);
        if (in.table < 0)
            internalError();
    }
    // Join chains of literal nodes; the later nodes stay for whoever else links to them.
    for (std::size_t i = 0; i < insts_.size(); ++i) {
        if (exact[i].empty() || insts_[i].op == Op::Repeat)
            continue;
        std::string s = exact[i];
        int j = insts_[i].next;
        for (int hops = 0; j >= 0 && !exact[j].empty() && insts_[j].op != Op::Repeat && hops < 4096; ++hops) {
            s += exact[j];
            j = insts_[j].next;
        }
        if (s.size() == exact[i].size())
            continue;
        Inst& in = insts_[i];
        in.op = Op::Lit;
        in.lit = static_cast<std::uint32_t>(literals_.size());
        in.litLen = static_cast<std::uint32_t>(s.size());
        in.next = j;
        literals_ += s;
    }
    // Skip jumps; a Branch keeps its link to the next BRANCH of its chain.
    auto land = [&](int target) {
        for (int hops = 0; target >= 0 && insts_[target].op == Op::Jump && hops < 64; ++hops)
            target = insts_[target].next;
        return target;
    };
    start_ = land(0);
    for (auto& in : insts_) {
        if (in.op != Op::Branch)
            in.next = land(in.next);
        if (in.op == Op::Branch || in.op == Op::TestZero || in.op == Op::Below1 || in.op == Op::Above0)
            in.alt = land(in.alt);
    }
    // Every reachable node must lead somewhere: a broken link is a damaged program.
    if (start_ < 0)
        internalError();
    walkReachable(start_, [&](int i) {
        for (int s : successors(i))
            if (s < 0)
                internalError();
        return Walk::Follow;
    });
}

std::vector<int> TREMatcher::successors(int i) const
{
    const Inst& in = insts_[i];
    switch (in.op) {
    case Op::End:
        return {};
    case Op::Branch: case Op::TestZero: case Op::Below1: case Op::Above0:
        return {in.alt, in.next};
    default:
        return {in.next};
    }
}

// ---- analysis ----

// The characters a match starting at `from` can begin with; false when it can be empty.
bool TREMatcher::firstSet(int from, std::array<std::uint8_t, 256>& set) const
{
    set.fill(0);
    return walkReachable(from, [&](int i) {
        const Inst& in = insts_[i];
        switch (in.op) {
        case Op::End:
            return Walk::Fail;
        case Op::Char: case Op::Repeat:
            for (int c = 0; c < 256; ++c)
                set[c] |= tables_[in.table][c];
            // Past a repeat that may match nothing, what follows it can begin the match too.
            return in.op == Op::Repeat && in.min == 0 ? Walk::Follow : Walk::Prune;
        case Op::Lit: {
            const std::uint8_t first = static_cast<std::uint8_t>(literals_[in.lit]);
            for (int c = 1; c < 256; ++c)
                if (fold_[c] == first)
                    set[c] = 1;
            return Walk::Prune;
        }
        default:
            return Walk::Follow;
        }
    });
}

// True when every character of the table folds to one character c.
bool TREMatcher::singleChar(const std::array<std::uint8_t, 256>& table, std::uint8_t& c) const
{
    int found = -1;
    for (int x = 0; x < 256; ++x) {
        if (!table[x])
            continue;
        if (found >= 0 && fold_[x] != found)
            return false;
        found = fold_[x];
    }
    if (found < 0)
        return false;
    for (int x = 1; x < 256; ++x)  // a folded table must hold both cases
        if (fold_[x] == found && !table[x])
            return false;
    c = static_cast<std::uint8_t>(found);
    return true;
}

bool TREMatcher::isAnchored() const
{
    return walkReachable(start_, [&](int i) {
        const Op op = insts_[i].op;
        if (op == Op::Bol)
            return Walk::Prune;
        return op == Op::End || consumes(op) ? Walk::Fail : Walk::Follow;
    });
}

// The literal texts that every match begins with, one per way in; empty when some way in has
// none or there are too many.
std::vector<std::string> TREMatcher::literalPrefixes() const
{
    std::vector<std::string> done;
    std::vector<std::pair<int, std::string>> todo{{start_, ""}};
    int hops = 0;
    while (!todo.empty()) {
        if (++hops > 1000 || done.size() + todo.size() > kMaxPrefixes)
            return {};
        auto [i, s] = todo.back();
        todo.pop_back();
        const Inst& in = insts_[i];
        std::uint8_t c = 0;
        if (s.size() >= kMaxPrefixLength) {
            done.push_back(s);
        } else if (in.op == Op::Open || in.op == Op::Close || in.op == Op::Jump) {
            todo.emplace_back(in.next, s);
        } else if (in.op == Op::Lit) {
            todo.emplace_back(in.next, s + literals_.substr(in.lit, in.litLen));
        } else if (in.op == Op::Char && singleChar(tables_[in.table], c)) {
            todo.emplace_back(in.next, s + static_cast<char>(c));
        } else if (in.op == Op::Branch) {
            todo.emplace_back(in.next, s);
            todo.emplace_back(in.alt, s);
        } else {
            done.push_back(s);
        }
    }
    for (const auto& s : done)
        if (s.empty())
            return {};
    // A prefix that begins with another one adds nothing: the shorter one is checked anyway.
    std::sort(done.begin(), done.end());
    std::vector<std::string> kept;
    for (const auto& s : done)
        if (kept.empty() || s.compare(0, kept.back().size(), kept.back()) != 0)
            kept.push_back(s);
    return kept;
}

// The longest literal on the path that every match walks through.
std::string TREMatcher::requiredLiteral() const
{
    std::string best;
    std::string current;
    auto flush = [&] {
        if (current.size() > best.size())
            best = current;
        current.clear();
    };
    int i = start_;
    for (int hops = 0; i >= 0 && hops < 100000; ++hops) {
        const Inst& in = insts_[i];
        std::uint8_t c = 0;
        if (in.op == Op::End)
            break;
        if (in.op == Op::Lit) {
            current += literals_.substr(in.lit, in.litLen);
        } else if (in.op == Op::Char && singleChar(tables_[in.table], c)) {
            current += static_cast<char>(c);
        } else if (in.op == Op::Branch) {
            // Past the alternatives: the chain's last BRANCH knows where it continues.
            flush();
            int j = i;
            while (j >= 0 && insts_[j].op == Op::Branch)
                j = insts_[j].next;
            if (j < 0 || insts_[j].op != Op::Jump || insts_[j].alt < 0)
                break;
            i = insts_[j].alt;
            continue;
        } else if (in.op != Op::Open && in.op != Op::Close && in.op != Op::Jump &&
                   in.op != Op::Bol && in.op != Op::Eol) {
            flush();
        }
        i = in.next;
    }
    flush();
    return best;
}

void TREMatcher::analyse()
{
    std::array<std::uint8_t, 256> set{};
    for (auto& in : insts_) {
        if (in.op != Op::Repeat)
            continue;
        const int self = static_cast<int>(&in - insts_.data());
        if (firstSet(in.next, set)) {
            tables_.push_back(set);
            insts_[self].follow = static_cast<int>(tables_.size() - 1);
        }
    }
    firstUseful_ = firstSet(start_, set);
    if (firstUseful_) {
        tables_.push_back(set);
        firstTable_ = static_cast<int>(tables_.size() - 1);
        int count = 0;
        for (int c = 0; c < 256; ++c)
            if (set[c])
                ++count, firstSingle_ = c;
        if (count != 1)
            firstSingle_ = -1;
    }
    anchored_ = isAnchored();
    prefixes_ = literalPrefixes();
    const bool caseSensitive = fold_ == identity_.data();
    if (prefixes_.size() == 1 && prefixes_[0].size() >= 2) {
        prefixScanner_ = std::make_unique<TLiteralScanner>();
        prefixScanner_->setPattern(prefixes_[0], caseSensitive);
    }

    lineLocal_ = true;
    walkReachable(start_, [&](int i) {
        const Inst& in = insts_[i];
        if ((in.op == Op::Char || in.op == Op::Repeat) && tables_[in.table]['\r'])
            lineLocal_ = false;
        if (in.op == Op::Lit && literals_.substr(in.lit, in.litLen).find('\r') != std::string::npos)
            lineLocal_ = false;
        return Walk::Follow;
    });
    const std::string required = requiredLiteral();
    const bool coveredByPrefix = prefixes_.size() == 1 && prefixes_[0].size() >= required.size();
    if (lineLocal_ && required.size() >= 3 && !coveredByPrefix) {
        required_ = std::make_unique<TLiteralScanner>();
        required_->setPattern(required, caseSensitive);
    }

    int i = start_;
    for (int hops = 0; i >= 0 && hops < 64; ++hops) {
        const Op op = insts_[i].op;
        if (op == Op::Repeat) {
            leading_ = i;
            break;
        }
        if (op != Op::Open && op != Op::Jump)
            break;
        i = insts_[i].next;
    }
}

std::string TREMatcher::describeFilters() const
{
    std::string out;
    auto add = [&out](const std::string& s) { out += (out.empty() ? "" : " ") + s; };
    if (firstUseful_) {
        int count = 0;
        for (std::uint8_t f : tables_[firstTable_])
            count += f;
        add("first=" + std::to_string(count));
    }
    if (anchored_)
        add("anchored");
    for (const auto& p : prefixes_)
        add("prefix=" + p);
    if (required_)
        add("required=" + required_->pattern());
    if (lineLocal_)
        add("line-local");
    if (leading_ >= 0)
        add("leading-repeat");
    return out;
}

// ---- matching ----

void TREMatcher::push(std::uint8_t kind, std::uint8_t arg, int inst, TextPos pos, TextPos value)
{
    if (stack_.size() >= kMaxFrames)
        throw EREParser(TREError::TooComplex, -1);
    stack_.push_back({kind, arg, inst, pos, value});
}

void TREMatcher::charge(std::int64_t steps)
{
    remaining_ -= steps;
    if (remaining_ < 0)
        throw EREParser(TREError::TooComplex, -1);
}

TextPos TREMatcher::countRun(TRunReader& reader, TextPos pos, const std::uint8_t* table, TextPos max)
{
    const TextPos limit = max < 0 ? reader.size() : std::min(reader.size(), pos + max);
    TextPos p = pos;
    while (p < limit) {
        const TTextRun& run = reader.runAt(p);
        const unsigned char* from = run.text + (p - run.start);
        const unsigned char* end = run.text + (std::min(run.end(), limit) - run.start);
        const unsigned char* q = from;
        while (q < end && table[*q])
            ++q;
        p += q - from;
        if (q < end)
            break;
    }
    charge(p - pos);
    return p - pos;
}

// Lowers count to the largest value >= min after which the rest can begin; false when none.
bool TREMatcher::tryCount(TRunReader& reader, const Inst& inst, TextPos base, TextPos& count)
{
    if (inst.follow < 0)
        return count >= inst.min;
    const std::uint8_t* follow = tables_[inst.follow].data();
    for (; count >= inst.min; --count) {
        charge(1);
        const int c = reader.at(base + count);
        if (c >= 0 && follow[c])
            return true;
    }
    return false;
}

bool TREMatcher::literalAt(TRunReader& reader, const Inst& inst, TextPos pos)
{
    if (pos + inst.litLen > reader.size())
        return false;
    charge(inst.litLen);
    const char* lit = literals_.data() + inst.lit;
    for (std::uint32_t i = 0; i < inst.litLen; ++i)
        if (fold_[reader.at(pos + i)] != static_cast<std::uint8_t>(lit[i]))
            return false;
    return true;
}

bool TREMatcher::run(TRunReader& reader, TextPos start)
{
    stack_.clear();
    slots_.fill(-1);
    int pc = start_;
    TextPos pos = start;
    const TextPos size = reader.size();
    for (;;) {
        charge(1);
        const Inst& in = insts_[pc];
        bool ok = true;
        switch (in.op) {
        case Op::End:
            slots_[0] = start;
            slots_[1] = pos;
            return true;
        case Op::Bol:
            ok = pos == 0 || reader.at(pos - 1) == '\r';
            break;
        case Op::Eol:
            ok = pos >= size || reader.at(pos) == '\r';
            break;
        case Op::Char: {
            const int c = reader.at(pos);
            ok = c >= 0 && tables_[in.table][c];
            ++pos;
            break;
        }
        case Op::Lit:
            ok = literalAt(reader, in, pos);
            pos += in.litLen;
            break;
        case Op::Jump:
            break;
        case Op::Branch:
            push(kAlt, 0, pc, pos, 0);
            pc = in.alt;
            continue;
        case Op::Repeat: {
            TextPos count = countRun(reader, pos, tables_[in.table].data(), in.max);
            ok = tryCount(reader, in, pos, count);
            if (ok && count > in.min)
                push(kRepeat, 0, pc, pos, count);
            pos += count;
            break;
        }
        case Op::Open: case Op::Close: {
            const int slot = 2 * in.arg + (in.op == Op::Close ? 1 : 0);
            push(kSlot, static_cast<std::uint8_t>(slot), pc, 0, slots_[slot]);
            slots_[slot] = pos;
            break;
        }
        case Op::Set:
            push(kCounter, in.arg, pc, 0, counterValues_[in.arg]);
            counterValues_[in.arg] = in.min;
            break;
        case Op::Dec:
            push(kCounter, in.arg, pc, 0, counterValues_[in.arg]);
            --counterValues_[in.arg];
            break;
        case Op::TestZero:
            pc = counterValues_[in.arg] == 0 ? in.next : in.alt;
            continue;
        case Op::Below1:
            pc = counterValues_[in.arg] < 1 ? in.next : in.alt;
            continue;
        case Op::Above0:
            pc = counterValues_[in.arg] > 0 ? in.next : in.alt;
            continue;
        }
        if (ok)
            pc = in.next;
        else if (!backtrack(reader, pc, pos))
            return false;
    }
}

bool TREMatcher::backtrack(TRunReader& reader, int& pc, TextPos& pos)
{
    while (!stack_.empty()) {
        const Frame f = stack_.back();
        stack_.pop_back();
        switch (f.kind) {
        case kSlot:
            slots_[f.arg] = f.value;
            break;
        case kCounter:
            counterValues_[f.arg] = static_cast<std::int32_t>(f.value);
            break;
        case kAlt:
            pc = insts_[f.inst].next;
            pos = f.pos;
            return true;
        case kRepeat: {
            const Inst& in = insts_[f.inst];
            TextPos count = f.value - 1;
            if (tryCount(reader, in, f.pos, count)) {
                if (count > in.min)
                    push(kRepeat, 0, f.inst, f.pos, count);
                pos = f.pos + count;
                pc = in.next;
                return true;
            }
            break;
        }
        }
    }
    return false;
}

// ---- candidate positions ----

TextPos TREMatcher::scanForward(TRunReader& reader, TextPos pos, const std::uint8_t* table) const
{
    while (pos < reader.size()) {
        const TTextRun& run = reader.runAt(pos);
        const unsigned char* from = run.text + (pos - run.start);
        const unsigned char* end = run.text + run.length;
        const unsigned char* q = from;
        if (firstSingle_ >= 0 && table == tables_[firstTable_].data()) {
            const void* hit = std::memchr(from, firstSingle_, static_cast<std::size_t>(end - from));
            q = hit ? static_cast<const unsigned char*>(hit) : end;
        } else {
            while (q < end && !table[*q])
                ++q;
        }
        if (q < end)
            return run.start + (q - run.text);
        pos = run.end();
    }
    return -1;
}

// Smallest q >= pos such that q..q+min-1 all lie in table, or -1. Each window is checked from
// its end backward, so a character outside the table skips every window that holds it; the part
// already known to lie in the table is not read again.
TextPos TREMatcher::runWindow(TRunReader& reader, TextPos pos, const std::uint8_t* table, TextPos min) const
{
    TextPos known = pos - 1;  // pos..known lie in the table
    while (pos + min <= reader.size()) {
        const TextPos end = pos + min - 1;
        TextPos k = end;
        const TTextRun& run = reader.runAt(k);
        if (known + 1 >= run.start) {
            const unsigned char* text = run.text;
            const TextPos base = run.start;
            while (k > known && table[text[k - base]])
                --k;
        } else {
            while (k > known && table[reader.at(k)])
                --k;
        }
        if (k <= known)
            return pos;
        pos = k + 1;
        known = end;
    }
    return -1;
}

TextPos TREMatcher::scanBackward(TRunReader& reader, TextPos pos, const std::uint8_t* table) const
{
    pos = std::min(pos, reader.size() - 1);
    while (pos >= 0) {
        const TTextRun& run = reader.runAt(pos);
        for (const unsigned char* q = run.text + (pos - run.start); q >= run.text; --q)
            if (table[*q])
                return run.start + (q - run.text);
        pos = run.start - 1;
    }
    return -1;
}

TextPos TREMatcher::lineStartAtOrAfter(TRunReader& reader, TextPos pos) const
{
    if (pos <= 0)
        return 0;
    TextPos p = pos - 1;  // a CR here makes pos itself a line start
    while (p < reader.size()) {
        const TTextRun& run = reader.runAt(p);
        const unsigned char* from = run.text + (p - run.start);
        const void* hit = std::memchr(from, '\r', static_cast<std::size_t>(run.end() - p));
        if (hit)
            return run.start + (static_cast<const unsigned char*>(hit) - run.text) + 1;
        p = run.end();
    }
    return -1;
}

// The start of pos's line, or floor when that lies before it (nothing before floor is read).
TextPos TREMatcher::lineStartAtOrBefore(TRunReader& reader, TextPos pos, TextPos floor) const
{
    TextPos p = std::min(pos, reader.size()) - 1;
    while (p >= floor) {
        const TTextRun& run = reader.runAt(p);
        const unsigned char* low = run.text + (std::max(run.start, floor) - run.start);
        for (const unsigned char* q = run.text + (p - run.start); q >= low; --q)
            if (*q == '\r')
                return run.start + (q - run.text) + 1;
        p = run.start - 1;
    }
    return floor;
}

bool TREMatcher::prefixAt(TRunReader& reader, TextPos pos) const
{
    if (prefixes_.empty())
        return true;
    for (const auto& prefix : prefixes_) {
        bool same = pos + static_cast<TextPos>(prefix.size()) <= reader.size();
        for (std::size_t i = 0; same && i < prefix.size(); ++i)
            same = fold_[reader.at(pos + static_cast<TextPos>(i))] == static_cast<std::uint8_t>(prefix[i]);
        if (same)
            return true;
    }
    return false;
}

TextPos TREMatcher::nextCandidate(TRunReader& reader, TTextRuns& text, TextPos pos)
{
    const TextPos size = reader.size();
    for (;;) {
        if (pos > size)
            return -1;
        if (required_) {
            if (requiredAt_ == -1)
                return -1;
            if (requiredAt_ < pos) {
                requiredAt_ = required_->findForward(text, pos);
                if (requiredAt_ < 0)
                    return -1;
                // Read back only to pos: on a long line every candidate would read it again.
                requiredLineStart_ = lineStartAtOrBefore(reader, requiredAt_, pos);
            }
            // The match holding that occurrence lies on its line: earlier lines cannot match.
            pos = std::max(pos, requiredLineStart_);
        }
        if (anchored_) {
            pos = lineStartAtOrAfter(reader, pos);
            if (pos < 0)
                return -1;
            if (firstUseful_ && (pos >= size || !tables_[firstTable_][reader.at(pos)])) {
                ++pos;
                continue;
            }
        } else if (prefixScanner_) {
            pos = prefixScanner_->findForward(text, pos);
            if (pos < 0)
                return -1;
        } else if (leading_ >= 0 && insts_[leading_].min >= 2 && firstSingle_ < 0) {
            const Inst& lead = insts_[leading_];
            pos = runWindow(reader, pos, tables_[lead.table].data(), lead.min);
            if (pos < 0)
                return -1;
        } else if (firstUseful_) {
            pos = scanForward(reader, pos, tables_[firstTable_].data());
            if (pos < 0)
                return -1;
        }
        if (required_ && requiredAt_ < pos)
            continue;
        return pos;
    }
}

TextPos TREMatcher::prevCandidate(TRunReader& reader, TextPos pos) const
{
    while (pos >= 0) {
        if (anchored_) {
            pos = lineStartAtOrBefore(reader, pos);
            if (firstUseful_ && (pos >= reader.size() || !tables_[firstTable_][reader.at(pos)])) {
                --pos;
                continue;
            }
            return pos;
        }
        if (firstUseful_)
            return scanBackward(reader, pos, tables_[firstTable_].data());
        return pos;
    }
    return -1;
}

bool TREMatcher::search(TTextRuns& text, TextPos from, bool forward)
{
    TRunReader reader(text);
    const TextPos size = reader.size();
    requiredAt_ = -2;
    const TextPos span = forward ? size - std::clamp<TextPos>(from, 0, size) : std::clamp<TextPos>(from, 0, size);
    remaining_ = budget_ + kStepsPerCharacter * span;
    if (!forward) {
        for (TextPos p = std::min(from - 1, size); p >= 0; --p) {
            if (accelerate_) {
                p = prevCandidate(reader, p);
                if (p < 0)
                    return false;
            }
            if ((!accelerate_ || prefixAt(reader, p)) && run(reader, p))
                return true;
        }
        return false;
    }
    const Inst* leading = accelerate_ && leading_ >= 0 ? &insts_[leading_] : nullptr;
    for (TextPos p = std::max<TextPos>(from, 0); p <= size;) {
        if (accelerate_) {
            p = nextCandidate(reader, text, p);
            if (p < 0)
                return false;
        }
        TextPos runLength = -1;
        if (leading) {
            // A run longer than the repeat's bound is not skipped, so it is not counted further.
            const TextPos cap = leading->max < 0 ? -1 : TextPos(leading->max) + 1;
            runLength = countRun(reader, p, tables_[leading->table].data(), cap);
            if (runLength < leading->min) {
                p += runLength + 1;
                continue;
            }
        }
        if ((!accelerate_ || prefixAt(reader, p)) && run(reader, p))
            return true;
        // Every later start inside the run tries a subset of what this one tried.
        const bool skipRun = leading && (leading->max < 0 || runLength <= leading->max);
        p += skipRun ? runLength + 1 : 1;
    }
    return false;
}

}  // namespace quarry
