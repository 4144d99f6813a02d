#include "regex/TRECompiler.h"

#include "regex/TSearchChars.h"
#include "regex/EREParser.h"
#include "platform/Text.h"
#include "text/Utf8.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace quarry {

using namespace reop;

namespace {

// Facts about a compiled piece, as the parser passes them upward.
constexpr int kHasWidth = 1;  // never matches the empty string
constexpr int kSimple = 2;    // one node that matches exactly one character

// The working text may grow through the rewriting of unordered pairs; past this it is refused.
constexpr std::size_t kMaxWorkingText = 1 << 20;
constexpr int kMaxCount = 65535;  // counters start from a 16-bit value

using CharSet = std::array<std::uint8_t, 256>;

CharSet escapeClass(char kind)
{
    CharSet set{};
    const char lower = static_cast<char>(kind | 0x20);
    for (int c = 0; c < 256; ++c) {
        bool in = false;
        if (lower == 'd')
            in = c >= '0' && c <= '9';
        else if (lower == 'w')
            in = TSearchChars::isWord(static_cast<std::uint8_t>(c));
        else
            in = c == 13 || c == ' ' || c == 10 || c == 12 || c == 9 || c == 8;
        set[c] = (in != (kind != lower)) ? 1 : 0;  // upper-case letter: the complement
    }
    return set;
}

bool isClassEscape(char c)
{
    return std::string_view("dDwWsS").find(c) != std::string_view::npos;
}

// Scans one nesting level of an expression from `from` (just inside a "(" or at the start):
// returns the index of the ")" that closes the level, or `to`. Escapes, classes and quoted texts
// are stepped over whole. *split receives the first "||" at this level, or npos.
std::size_t scanLevel(const std::string& t, std::size_t from, std::size_t to, std::size_t* split)
{
    if (split)
        *split = std::string::npos;
    int depth = 0;
    std::size_t i = from;
    while (i < to) {
        const char c = t[i];
        if (c == '\\') {
            i += 2;
        } else if (c == '"' || c == '[') {
            const char close = c == '"' ? '"' : ']';
            ++i;
            while (i < to && t[i] != close)
                i += t[i] == '\\' ? 2 : 1;
            ++i;
        } else if (c == '(') {
            ++depth;
            ++i;
        } else if (c == ')') {
            if (depth == 0)
                return i;
            --depth;
            ++i;
        } else if (c == '|' && depth == 0 && i + 1 < to && t[i + 1] == '|' && split &&
                   *split == std::string::npos) {
            *split = i;
            i += 2;
        } else {
            ++i;
        }
    }
    return to;
}

// One pass over the working text. In the sizing pass nothing is written: offsets are counted
// and every link operation is skipped; the emitting pass builds the same nodes for real.
class Pass final {
public:
    Pass(std::string text, std::vector<int> origin, bool sizing, bool caseSensitive, bool utf8)
        : text_(std::move(text)), origin_(std::move(origin)), sizing_(sizing),
          caseSensitive_(caseSensitive), utf8_(utf8)
    {
    }

    void run(std::size_t reserve)
    {
        if (sizing_) {
            size_ = 1;
        } else {
            code_.reserve(reserve);
            code_.push_back(kMagic);
        }
        int flags = 0;
        reg(false, flags);
    }

    std::string text_;         // the working copy, rewritten in the sizing pass
    std::vector<int> origin_;  // origin_[i]: index in the user's expression of text_[i]; one more
                               // entry for the end
    std::size_t size_ = 0;     // bytes counted by the sizing pass
    std::vector<std::uint8_t> code_;
    std::vector<TREFastRepeat> repeats_;
    int nextGroup_ = 1;
    int nextCounter_ = 0;

private:
    [[noreturn]] void fail(TREError code, std::size_t at) const
    {
        throw EREParser(code, origin_[std::min(at, text_.size())]);
    }

    int peek() const
    {
        return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1;
    }

    // ---- emitting primitives ----

    int here() const { return static_cast<int>(sizing_ ? size_ : code_.size()); }

    int node(std::uint8_t op)
    {
        const int at = here();
        if (sizing_) {
            size_ += kHeader;
        } else {
            code_.push_back(op);
            code_.push_back(0);
            code_.push_back(0);
        }
        return at;
    }

    void byte(std::uint8_t b)
    {
        if (sizing_)
            ++size_;
        else
            code_.push_back(b);
    }

    void insertBytes(int at, const std::vector<std::uint8_t>& bytes)
    {
        if (sizing_) {
            size_ += bytes.size();
            return;
        }
        code_.insert(code_.begin() + at, bytes.begin(), bytes.end());
        const int n = static_cast<int>(bytes.size());
        for (auto& r : repeats_) {
            for (int* p : {&r.head, &r.atom, &r.exit})
                if (*p >= at)
                    *p += n;
        }
    }

    void insertNode(std::uint8_t op, int at) { insertBytes(at, {op, 0, 0}); }

    void truncate(int at)
    {
        if (sizing_) {
            size_ = static_cast<std::size_t>(at);
            return;
        }
        code_.resize(static_cast<std::size_t>(at));
        std::erase_if(repeats_, [at](const TREFastRepeat& r) { return r.head >= at; });
    }

    int nextOf(int p) const { return reNext(code_, p); }

    void setNext(int p, int target)
    {
        if (sizing_)
            return;
        const int offset = code_[p] == BACK ? p - target : target - p;
        if (offset <= 0 || offset > 0xFFFF)
            fail(offset <= 0 ? TREError::Internal : TREError::TooComplex, pos_);
        code_[p + 1] = static_cast<std::uint8_t>(offset >> 8);
        code_[p + 2] = static_cast<std::uint8_t>(offset & 0xFF);
    }

    // Links the last node of the chain that starts at p to target.
    void tail(int p, int target)
    {
        if (sizing_)
            return;
        int scan = p;
        for (int next = nextOf(scan); next != 0; next = nextOf(scan))
            scan = next;
        setNext(scan, target);
    }

    // For a BRANCH: links the end of its alternative to target.
    void branchTail(int p, int target)
    {
        if (sizing_ || code_[p] != BRANCH)
            return;
        tail(p + kHeader, target);
    }

    // ---- grammar ----

    // expression := branch ("|" branch)*, inside a group when paren.
    int reg(bool paren, int& flags)
    {
        int ret = 0;
        int group = 0;
        if (paren) {
            if (nextGroup_ > kMaxGroups)
                fail(TREError::TooManySubexpressions, pos_ - 1);
            group = nextGroup_++;
            ret = node(static_cast<std::uint8_t>(OPEN + group));
        }
        rewritePair();
        flags = kHasWidth;
        int first = 0;
        do {
            if (first != 0)
                ++pos_;  // the "|"
            int f = 0;
            const int br = branch(f);
            if (first == 0)
                first = br;
            if (ret != 0)
                tail(ret, br);
            else
                ret = br;
            if (!(f & kHasWidth))
                flags &= ~kHasWidth;
        } while (peek() == '|');
        const int ender = node(static_cast<std::uint8_t>(paren ? CLOSE + group : END));
        tail(ret, ender);
        if (!sizing_)
            for (int br = ret; br != 0; br = nextOf(br))
                branchTail(br, ender);
        if (paren) {
            if (peek() != ')')
                fail(TREError::UnmatchedParenthesis, pos_);
            ++pos_;
        } else if (pos_ < text_.size()) {
            fail(peek() == ')' ? TREError::UnmatchedParenthesis : TREError::Internal, pos_);
        }
        return ret;
    }

    // branch := piece*, an empty branch being NOTHING.
    int branch(int& flags)
    {
        flags = 0;
        const int ret = node(BRANCH);
        int chain = 0;
        while (pos_ < text_.size() && text_[pos_] != '|' && text_[pos_] != ')') {
            int f = 0;
            const int latest = piece(f);
            flags |= f & kHasWidth;
            if (chain != 0)
                tail(chain, latest);
            chain = latest;
        }
        if (chain == 0)
            node(NOTHING);
        return ret;
    }

    static bool isRepeatChar(int c) { return c == '*' || c == '+' || c == '?' || c == '{'; }

    int piece(int& flags)
    {
        int f = 0;
        const int ret = atom(f);
        const int c = peek();
        if (!isRepeatChar(c)) {
            flags = f;
            return ret;
        }
        const std::size_t at = pos_;
        if ((c == '*' || c == '+') && !(f & kHasWidth))
            fail(TREError::InvalidRepeat, at);
        int min = 0;
        int max = -1;
        if (c == '{') {
            readBraces(min, max);
        } else {
            ++pos_;
            min = c == '+' ? 1 : 0;
            max = c == '?' ? 1 : -1;
        }
        flags = repeat(ret, f, min, max, at);
        if (isRepeatChar(peek()))
            fail(TREError::NestedRepeat, pos_);
        return ret;
    }

    int readNumber(bool& present)
    {
        present = false;
        long value = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            present = true;
            value = value * 10 + (text_[pos_] - '0');
            if (value > kMaxCount)
                fail(TREError::InvalidRange, pos_);
            ++pos_;
        }
        return static_cast<int>(value);
    }

    // "{m}", "{m,}", "{,n}", "{m,n}"; max -1 means no upper bound.
    void readBraces(int& min, int& max)
    {
        const std::size_t open = pos_++;
        bool hasMin = false;
        bool hasMax = false;
        min = readNumber(hasMin);
        if (peek() == ',') {
            ++pos_;
            max = readNumber(hasMax);
            if (!hasMax)
                max = -1;
        } else {
            max = min;
            hasMax = hasMin;
        }
        if (!hasMin && !hasMax)
            fail(TREError::InvalidRange, pos_);
        if (peek() != '}')
            fail(TREError::UnmatchedBracket, pos_);
        ++pos_;
        if (max >= 0 && min > max)
            fail(TREError::InvalidRange, open);
    }

    // Wraps the atom at ret into its repeat; returns the flags of the whole piece.
    int repeat(int ret, int f, int min, int max, std::size_t at)
    {
        if (max == 0) {  // x{0} matches the empty string: the atom is dropped
            truncate(ret);
            node(NOTHING);
            return 0;
        }
        if (min == 1 && max == 1)
            return f;
        if (max < 0 && !(f & kHasWidth))
            fail(TREError::InvalidRepeat, at);
        if (min == 0 && max == 1) {
            optional(ret);
            return 0;
        }
        if (min == 0 && max < 0) {
            if (f & kSimple)
                insertNode(STAR, ret);
            else
                loopStar(ret);
            return 0;
        }
        if (min == 1 && max < 0) {
            if (f & kSimple)
                insertNode(PLUS, ret);
            else
                loopPlus(ret);
            return kHasWidth;
        }
        counted(ret, f, min, max);
        return (min > 0 && (f & kHasWidth)) ? kHasWidth : 0;
    }

    // x? as (x|).
    void optional(int ret)
    {
        insertNode(BRANCH, ret);
        tail(ret, node(BRANCH));
        const int nothing = node(NOTHING);
        tail(ret, nothing);
        branchTail(ret, nothing);
    }

    // x* as (x BACK|): the first alternative loops back to its own BRANCH.
    void loopStar(int ret)
    {
        insertNode(BRANCH, ret);
        const int back = node(BACK);
        branchTail(ret, back);
        branchTail(ret, ret);
        tail(ret, node(BRANCH));
        tail(ret, node(NOTHING));
    }

    // x+ as x(BACK|): after each x, loop back or leave.
    void loopPlus(int ret)
    {
        const int loop = node(BRANCH);
        tail(ret, loop);
        tail(node(BACK), ret);
        tail(loop, node(BRANCH));
        tail(ret, node(NOTHING));
    }

    std::uint8_t allocCounter()
    {
        if (nextCounter_ >= kCounters)
            fail(TREError::TooComplex, pos_);
        return static_cast<std::uint8_t>(nextCounter_++);
    }

    // Bounded repeat through counters; the layout is described in TREProgram.h.
    void counted(int ret, int f, int min, int max)
    {
        const bool hasMin = min > 0;
        const bool finite = max >= 0;
        const bool hasOpt = !finite || max > min;
        const std::uint8_t cMin = hasMin ? allocCounter() : 0;
        const std::uint8_t cOpt = hasOpt && finite ? allocCounter() : 0;

        std::vector<std::uint8_t> prefix;
        auto add = [&prefix](std::initializer_list<std::uint8_t> bytes) {
            const int at = static_cast<int>(prefix.size());
            prefix.insert(prefix.end(), bytes);
            return at;
        };
        int setMin = -1, setOpt = -1, test = -1, decMin = -1, optTest = -1, br1 = -1, decOpt = -1,
            br2 = -1, stop = -1;
        if (hasMin)
            setMin = add({CSET, 0, 0, cMin, static_cast<std::uint8_t>(min & 0xFF),
                          static_cast<std::uint8_t>(min >> 8)});
        if (hasOpt && finite) {
            const int opt = max - min;
            setOpt = add({CSET, 0, 0, cOpt, static_cast<std::uint8_t>(opt & 0xFF),
                          static_cast<std::uint8_t>(opt >> 8)});
        }
        if (hasMin) {
            test = add({CTESTZERO, 0, 0, cMin});
            decMin = add({CDEC, 0, 0, cMin});
        }
        if (hasOpt) {
            if (finite)
                optTest = add({CBELOW1, 0, 0, cOpt});
            br1 = add({BRANCH, 0, 0});
            decOpt = finite ? add({CDEC, 0, 0, cOpt}) : add({NOTHING, 0, 0});
            br2 = add({BRANCH, 0, 0});
            stop = add({NOTHING, 0, 0});
        }
        insertBytes(ret, prefix);
        const int atom = ret + static_cast<int>(prefix.size());
        const int back = node(BACK);
        tail(atom, back);
        const int exit = node(NOTHING);
        if (sizing_)
            return;

        auto abs = [ret](int rel) { return rel < 0 ? -1 : ret + rel; };
        const int optEntry = finite ? abs(optTest) : abs(br1);
        const int loopTop = hasMin ? abs(test) : optEntry;
        if (hasMin && setOpt >= 0)
            setNext(abs(setMin), abs(setOpt));
        else if (hasMin)
            setNext(abs(setMin), abs(test));
        if (setOpt >= 0)
            setNext(abs(setOpt), hasMin ? abs(test) : optEntry);
        if (hasMin) {
            setNext(abs(test), hasOpt ? optEntry : exit);
            setNext(abs(decMin), atom);
        }
        if (hasOpt) {
            if (finite)
                setNext(abs(optTest), exit);
            setNext(abs(br1), abs(br2));
            setNext(abs(decOpt), atom);
            setNext(abs(br2), exit);
            setNext(abs(stop), exit);
        }
        setNext(back, loopTop);
        if (f & kSimple)
            repeats_.push_back({ret, atom, exit, min, max});
    }

    int atom(int& flags)
    {
        const std::size_t at = pos_;
        const unsigned char c = static_cast<unsigned char>(text_[pos_++]);
        switch (c) {
        case '^':
            flags = 0;
            return node(BOL);
        case '$':
            flags = 0;
            return node(EOL);
        case '.':
            // A UTF-8 character is not one node of one byte: repeats take the general form.
            flags = utf8_ ? kHasWidth : kHasWidth | kSimple;
            return node(utf8_ ? ANYU : ANY);
        case '[':
            return charClass(flags);
        case '(': {
            int f = 0;
            const int r = reg(true, f);
            flags = f & kHasWidth;
            return r;
        }
        case '*': case '+': case '?':
            fail(TREError::InvalidRepeat, at);
        case '\\':
            if (pos_ >= text_.size())
                fail(TREError::UnexpectedEnd, pos_);
            flags = kHasWidth | kSimple;
            if (isClassEscape(text_[pos_])) {
                const char kind = text_[pos_++];
                const bool negated = kind == 'D' || kind == 'W' || kind == 'S';
                if (utf8_ && negated) {
                    flags = kHasWidth;
                    return utf8ClassNode(ANYBUTU, escapeClass(static_cast<char>(kind | 0x20)), {});
                }
                return classNode(negated ? ANYBUT : ANYOF, escapeClass(static_cast<char>(kind | 0x20)));
            }
            return literalChar(readEscape());
        case '"':
            return quoted(flags);
        default:
            if (utf8_ && c >= 0x80) {
                const Utf8::Decoded d = Utf8::Decode(text_, at);
                if (d.valid) {
                    pos_ = at + static_cast<std::size_t>(d.length);
                    flags = kHasWidth;
                    const char32_t other = caseSensitive_ ? 0 : TSearchChars::latin1OtherCase(d.code);
                    if (other != 0)
                        return utf8ClassNode(ANYOFU, CharSet{}, {{d.code, d.code}, {other, other}});
                    return exactly(text_.substr(at, static_cast<std::size_t>(d.length)));
                }
            }
            flags = kHasWidth | kSimple;
            return literalChar(c);
        }
    }

    // A class of UTF-8 characters: the ASCII ones flagged in set, the others in ranges.
    int utf8ClassNode(std::uint8_t op, CharSet set, std::vector<std::pair<char32_t, char32_t>> ranges)
    {
        if (!caseSensitive_) {
            const auto& upper = TSearchChars::asciiUpperTable();
            for (int c = 'a'; c <= 'z'; ++c)
                if (set[c] || set[upper[c]])
                    set[c] = set[upper[c]] = 1;
            const std::size_t given = ranges.size();
            for (std::size_t r = 0; r < given; ++r)
                for (char32_t c = std::max<char32_t>(ranges[r].first, 0xC0); c <= std::min<char32_t>(ranges[r].second, 0xFE); ++c)
                    if (const char32_t other = TSearchChars::latin1OtherCase(c))
                        ranges.emplace_back(other, other);
        }
        if (ranges.size() > 0xFFFF)
            fail(TREError::TooComplex, pos_);
        const int r = node(op);
        for (int c = 0; c < 256; ++c)
            byte(c < 0x80 ? set[static_cast<std::size_t>(c)] : 0);
        byte(static_cast<std::uint8_t>(ranges.size() >> 8));
        byte(static_cast<std::uint8_t>(ranges.size() & 0xFF));
        for (const auto& [lo, hi] : ranges)
            for (char32_t value : {lo, hi}) {
                byte(static_cast<std::uint8_t>(value >> 16));
                byte(static_cast<std::uint8_t>((value >> 8) & 0xFF));
                byte(static_cast<std::uint8_t>(value & 0xFF));
            }
        return r;
    }

    // The character of an escape, pos_ just after the backslash (and before the end).
    std::uint8_t readEscape()
    {
        const char e = text_[pos_++];
        switch (e) {
        case 'n': return 13;  // the editor's line end
        case 'r': return 10;
        case 't': return 9;
        case 'b': return 8;
        case 'f': return 12;
        case 'x': {
            int value = 0;
            int digits = 0;
            while (digits < 2 && pos_ < text_.size() && text::hexDigitValue(text_[pos_]) >= 0)
                value = value * 16 + text::hexDigitValue(text_[pos_++]), ++digits;
            if (digits == 0)
                fail(TREError::HexDigitExpected, pos_);
            return static_cast<std::uint8_t>(value);
        }
        default:
            break;
        }
        if (e >= '0' && e <= '7') {
            int value = e - '0';
            for (int digits = 1; digits < 3 && pos_ < text_.size(); ++digits) {
                const char d = text_[pos_];
                if (d < '0' || d > '7' || value * 8 + (d - '0') > 255)
                    break;
                value = value * 8 + (d - '0');
                ++pos_;
            }
            return static_cast<std::uint8_t>(value);
        }
        return static_cast<std::uint8_t>(e);
    }

    // A NUL cannot stand in a literal text (it ends one): it compiles to a class of itself.
    int literalChar(std::uint8_t c)
    {
        if (c == 0) {
            CharSet none{};
            none[0] = 1;
            return classNode(ANYOF, none);
        }
        const int r = node(EXACTLY);
        byte(c);
        byte(0);
        return r;
    }

    int classNode(std::uint8_t op, CharSet set)
    {
        if (!caseSensitive_)
            foldSet(set);
        const int r = node(op);
        for (std::uint8_t f : set)
            byte(f);
        return r;
    }

    static void foldSet(CharSet& set)
    {
        const auto& upper = TSearchChars::upperTable();
        for (int c = 0; c < 256; ++c)
            if (set[c])
                set[upper[c]] = 1;
        for (int c = 0; c < 256; ++c)
            if (set[upper[c]])
                set[c] = 1;
    }

    int quoted(int& flags)
    {
        std::string s;
        for (;;) {
            if (pos_ >= text_.size())
                fail(TREError::QuoteExpected, pos_);
            char c = text_[pos_++];
            if (c == '"')
                break;
            if (c == '\\') {
                if (pos_ >= text_.size())
                    fail(TREError::UnexpectedEnd, pos_);
                c = static_cast<char>(readEscape());
            }
            s += c;
        }
        flags = (s.empty() ? 0 : kHasWidth) | (s.size() == 1 ? kSimple : 0);
        if (s.find('\0') == std::string::npos)
            return exactly(s);
        // A NUL ends a literal text: the string becomes literals around classes of NUL.
        int ret = 0;
        std::size_t from = 0;
        while (from <= s.size()) {
            const std::size_t nul = std::min(s.find('\0', from), s.size());
            if (nul > from)
                ret = chain(ret, exactly(s.substr(from, nul - from)));
            if (nul < s.size())
                ret = chain(ret, literalChar(0));
            from = nul + 1;
        }
        flags = kHasWidth;
        return ret;
    }

    int chain(int head, int latest)
    {
        if (head == 0)
            return latest;
        tail(head, latest);
        return head;
    }

    int exactly(const std::string& s)
    {
        const int r = node(EXACTLY);
        for (char c : s)
            byte(static_cast<std::uint8_t>(c));
        byte(0);
        return r;
    }

    // "[...]" and "[^...]", pos_ just after the "[".
    int charClass(int& flags)
    {
        flags = kHasWidth | kSimple;
        std::vector<std::pair<char32_t, char32_t>> ranges;  // UTF-8: characters beyond ASCII
        bool negate = false;
        if (peek() == '^') {
            negate = true;
            ++pos_;
        }
        CharSet set{};
        bool any = false;
        for (;;) {
            if (pos_ >= text_.size())
                fail(TREError::UnmatchedBracket, pos_);
            if (text_[pos_] == ']') {
                if (!any)
                    fail(TREError::UnmatchedBracket, pos_);
                ++pos_;
                break;
            }
            any = true;
            const std::size_t itemAt = pos_;
            int lo = 0;
            if (classItem(set, lo))
                continue;
            int hi = lo;
            if (peek() == '-') {
                ++pos_;
                if (pos_ >= text_.size() || text_[pos_] == ']')
                    fail(TREError::InvalidRange, pos_);
                if (classItem(set, hi) || hi < lo)
                    fail(TREError::InvalidRange, itemAt);
            }
            if (utf8_ && hi >= 0x80) {
                ranges.emplace_back(static_cast<char32_t>(std::max(lo, 0x80)), static_cast<char32_t>(hi));
                hi = 0x7F;
            }
            for (int c = lo; c <= hi; ++c)
                set[c] = 1;
        }
        if (utf8_ && (negate || !ranges.empty())) {
            flags = kHasWidth;
            return utf8ClassNode(negate ? ANYBUTU : ANYOFU, set, std::move(ranges));
        }
        return classNode(negate ? ANYBUT : ANYOF, set);
    }

    // Reads one class item: a class escape is added to set (returns true); otherwise the
    // character is returned in c.
    bool classItem(CharSet& set, int& c)
    {
        const char ch = text_[pos_++];
        if (utf8_ && static_cast<unsigned char>(ch) >= 0x80) {
            const Utf8::Decoded d = Utf8::Decode(text_, pos_ - 1);
            pos_ += static_cast<std::size_t>(d.length - 1);
            c = static_cast<int>(d.code);
            return false;
        }
        if (ch != '\\') {
            c = static_cast<unsigned char>(ch);
            return false;
        }
        if (pos_ >= text_.size())
            fail(TREError::UnexpectedEnd, pos_);
        if (isClassEscape(text_[pos_])) {
            const CharSet add = escapeClass(text_[pos_++]);
            for (int i = 0; i < 256; ++i)
                set[i] |= add[i];
            return true;
        }
        c = readEscape();
        return false;
    }

    // ---- unordered pair ----

    static std::string wrapSide(const std::string& side)
    {
        if (!side.empty() && side[0] == '(' && scanLevel(side, 1, side.size(), nullptr) + 1 == side.size())
            return side;
        return "(" + side + ")";
    }

    // When this level holds "A||B", rewrites it in the working text as ((A)(B)?|(B)(A)?) with the
    // parentheses of the outer form, so the rest of both passes sees only ordinary syntax.
    void rewritePair()
    {
        std::size_t split = 0;
        const std::size_t end = scanLevel(text_, pos_, text_.size(), &split);
        if (split == std::string::npos)
            return;
        if (!sizing_)
            fail(TREError::Internal, split);
        const std::string a = text_.substr(pos_, split - pos_);
        const std::string b = text_.substr(split + 2, end - split - 2);
        const std::string wa = wrapSide(a);
        const std::string wb = wrapSide(b);
        const std::string rewritten = "((" + wa + wb + "?)|(" + wb + wa + "?))";

        // Origins: characters of A and B keep theirs, the added ones point at the "||".
        const int pairAt = origin_[split];
        auto sideOrigins = [&](std::size_t from, const std::string& side, const std::string& wrapped) {
            std::vector<int> o;
            const bool added = wrapped.size() != side.size();
            if (added)
                o.push_back(pairAt);
            for (std::size_t i = 0; i < side.size(); ++i)
                o.push_back(origin_[from + i]);
            if (added)
                o.push_back(pairAt);
            return o;
        };
        const auto oa = sideOrigins(pos_, a, wa);
        const auto ob = sideOrigins(split + 2, b, wb);
        std::vector<int> o;
        auto mark = [&](std::size_t n) { o.insert(o.end(), n, pairAt); };
        auto append = [&](const std::vector<int>& v) { o.insert(o.end(), v.begin(), v.end()); };
        mark(2);
        append(oa);
        append(ob);
        mark(4);  // "?)|("
        append(ob);
        append(oa);
        mark(3);  // "?))"

        text_.replace(pos_, end - pos_, rewritten);
        origin_.erase(origin_.begin() + static_cast<std::ptrdiff_t>(pos_),
                      origin_.begin() + static_cast<std::ptrdiff_t>(end));
        origin_.insert(origin_.begin() + static_cast<std::ptrdiff_t>(pos_), o.begin(), o.end());
        if (text_.size() > kMaxWorkingText)
            fail(TREError::TooComplex, pos_);
    }

    std::size_t pos_ = 0;
    bool sizing_;
    bool caseSensitive_;
    bool utf8_;
};

}  // namespace

TREProgram TRECompiler::compile(const std::string& expression, bool caseSensitive, bool utf8)
{
    if (expression.empty())
        throw EREParser(TREError::InvalidParameter, 0);
    if (expression.size() > kMaxWorkingText)
        throw EREParser(TREError::TooComplex, 0);
    std::vector<int> origin(expression.size() + 1);
    for (std::size_t i = 0; i < origin.size(); ++i)
        origin[i] = static_cast<int>(i);

    Pass sizing(expression, std::move(origin), true, caseSensitive, utf8);
    sizing.run(0);
    Pass emit(sizing.text_, sizing.origin_, false, caseSensitive, utf8);
    emit.run(sizing.size_ + 256);
    if (emit.code_.size() != sizing.size_)
        throw EREParser(TREError::Internal, 0);

    TREProgram program;
    program.code = std::move(emit.code_);
    program.groups = emit.nextGroup_ - 1;
    program.counters = emit.nextCounter_;
    program.caseSensitive = caseSensitive;
    program.utf8 = utf8;
    program.fastRepeats = std::move(emit.repeats_);
    return program;
}

}  // namespace quarry
