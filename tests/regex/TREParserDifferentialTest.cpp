// Differential test: generated expressions in the syntax both engines share, searched in
// generated texts by TREParser and by std::regex (ECMAScript, multiline), must give the same
// matches and group positions. The generator builds a tree and writes it in each syntax, so the
// spellings that differ on purpose are translated rather than avoided.
//
// Deliberate differences (the generator stays clear of them or translates them):
// | construct                         | TREParser                      | ECMAScript               |
// |-----------------------------------|--------------------------------|--------------------------|
// | \n  \r                            | CR (the line end), LF          | LF, CR                   |
// | \b                                | backspace (8)                  | word boundary            |
// | \s                                | CR LF FF TAB BS blank          | also VT, not BS          |
// | "text"                            | a literal text                 | quotes are characters    |
// | A||B                              | A B? or B A? (7 groups)        | no such operator         |
// | {,n}                              | 0 to n                         | literal text             |
// | [ab-]                             | "Invalid range"                | "-" is a member          |
// | * + {m,} on what can be empty     | "Invalid repeat"               | allowed, empty-checked   |
// | bounded repeat of what can be     | empty rounds count             | an empty round beyond    |
// |   empty                           |                                |   the minimum fails      |
// | (?: ) look-around, back-references| not supported                  | supported                |
// | ignoring case                     | Windows-1252 letters fold too  | ASCII only (C locale)    |
// | .                                 | anything but CR                | anything but CR and LF   |
#include "support/SplitText.h"
#include "regex/TREParser.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <regex>

using quarry::TextPos;
using quarry::TREParser;

namespace {

// The texts are short: no expression here needs more steps than this unless it is exponential.
constexpr std::int64_t kBudget = 1'000'000;
// Under the sanitizers (and std::regex without optimisation) the rounds are fewer: there the
// point is the memory checks, not the breadth of the comparison.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kRounds = 300;
#else
constexpr int kRounds = 2500;
#endif

struct Node;
using NodePtr = std::shared_ptr<Node>;

struct Node {
    enum Kind { Char, Class, Dot, Escape, Bol, Eol, Quoted, Group, Pair, Seq, Alt } kind = Char;
    char c = 0;                   // Char, Escape (d D w W s S)
    std::string text;             // Class items (our spelling), Quoted text
    bool negate = false;
    std::vector<NodePtr> parts;   // Seq pieces, Alt branches, Group body, Pair sides
    std::string quantifier;       // our spelling, "" none
};

NodePtr make(Node::Kind kind)
{
    auto n = std::make_shared<Node>();
    n->kind = kind;
    return n;
}

std::string oursChar(char c)
{
    return c == '\r' ? "\\n" : std::string(1, c);
}

std::string ecmaChar(char c)
{
    return c == '\r' ? "\\r" : std::string(1, c);
}

struct Rendered {
    std::string ours;
    std::string ecma;
};

Rendered render(const NodePtr& n);

bool isSingleGroup(const NodePtr& seq)
{
    return seq->kind == Node::Seq && seq->parts.size() == 1 && seq->parts[0]->kind == Node::Group &&
           seq->parts[0]->quantifier.empty();
}

Rendered renderAtom(const NodePtr& n)
{
    switch (n->kind) {
    case Node::Char: return {oursChar(n->c), ecmaChar(n->c)};
    case Node::Dot: return {".", "."};
    case Node::Bol: return {"^", "^"};
    case Node::Eol: return {"$", "$"};
    case Node::Escape: return {std::string("\\") + n->c, std::string("\\") + n->c};
    case Node::Class: {
        std::string o = n->negate ? "[^" : "[";
        std::string e = o;
        for (std::size_t i = 0; i < n->text.size(); ++i) {
            if (n->text[i] == '\\') {  // a class escape, same in both
                o += n->text.substr(i, 2);
                e += n->text.substr(i, 2);
                ++i;
            } else {
                o += oursChar(n->text[i]);
                e += ecmaChar(n->text[i]);
            }
        }
        return {o + "]", e + "]"};
    }
    case Node::Quoted: {
        std::string o = "\"";
        std::string e = "(?:";
        for (char c : n->text) {
            o += oursChar(c);
            e += ecmaChar(c);
        }
        return {o + "\"", e + ")"};
    }
    case Node::Group: {
        const Rendered body = render(n->parts[0]);
        return {"(" + body.ours + ")", "(" + body.ecma + ")"};
    }
    default:
        return render(n);
    }
}

Rendered render(const NodePtr& n)
{
    if (n->kind == Node::Seq) {
        Rendered r;
        for (const auto& piece : n->parts) {
            const Rendered a = renderAtom(piece);
            const std::string q = piece->quantifier;
            const std::string eq = q.rfind("{,", 0) == 0 ? "{0," + q.substr(2) : q;
            r.ours += a.ours + q;
            r.ecma += a.ecma + eq;
        }
        return r;
    }
    if (n->kind == Node::Alt) {
        Rendered r;
        for (std::size_t i = 0; i < n->parts.size(); ++i) {
            const Rendered b = render(n->parts[i]);
            r.ours += (i ? "|" : "") + b.ours;
            r.ecma += (i ? "|" : "") + b.ecma;
        }
        return r;
    }
    if (n->kind == Node::Pair) {
        const Rendered a = render(n->parts[0]);
        const Rendered b = render(n->parts[1]);
        const bool ga = isSingleGroup(n->parts[0]);
        const bool gb = isSingleGroup(n->parts[1]);
        const std::string wa = ga ? a.ecma : "(" + a.ecma + ")";
        const std::string wb = gb ? b.ecma : "(" + b.ecma + ")";
        return {a.ours + "||" + b.ours, "((" + wa + wb + "?)|(" + wb + wa + "?))"};
    }
    return renderAtom(n);
}

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    NodePtr expression()
    {
        groups_ = 0;
        bool wide = false;
        return alt(0, wide);
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    char letter()
    {
        static const char chars[] = {'a', 'a', 'b', 'b', 'c', 'A', '1', ' ', '_', '\r'};
        return chars[pick(sizeof chars)];
    }

    // Alternatives; wide tells whether every branch always consumes a character.
    NodePtr alt(int depth, bool& wide)
    {
        auto n = make(Node::Alt);
        const int branches = 1 + (pick(4) == 0 ? 1 + pick(2) : 0);
        wide = true;
        for (int i = 0; i < branches; ++i) {
            bool w = false;
            n->parts.push_back(seq(depth, false, w));
            wide = wide && w;
        }
        return n;
    }

    NodePtr seq(int depth, bool needWidth, bool& width)
    {
        auto n = make(Node::Seq);
        const int pieces = 1 + pick(3);
        width = false;
        for (int i = 0; i < pieces || (needWidth && !width); ++i) {
            bool w = false;
            n->parts.push_back(piece(depth, w));
            width = width || w;
        }
        return n;
    }

    // A piece; width tells whether it always consumes a character.
    NodePtr piece(int depth, bool& width)
    {
        NodePtr a = atom(depth, width);
        const bool pair = a->kind == Node::Group && a->parts[0]->kind == Node::Pair;
        if (!width || pair || pick(3) != 0)  // a repeated pair backtracks exponentially
            return a;
        static const char* quantifiers[] = {"*", "+", "?", "{2}", "{1,2}", "{2,}", "{,2}", "{0}", "{0,3}"};
        a->quantifier = quantifiers[pick(9)];
        const std::string& q = a->quantifier;
        width = q == "+" || q == "{2}" || q == "{1,2}" || q == "{2,}";
        return a;
    }

    NodePtr atom(int depth, bool& width)
    {
        width = true;
        const int roll = pick(depth >= 2 ? 8 : 11);
        auto n = std::make_shared<Node>();
        switch (roll) {
        case 0: case 1: case 2:
            n->kind = Node::Char;
            n->c = letter();
            return n;
        case 3:
            n->kind = Node::Dot;
            return n;
        case 4: {
            n->kind = Node::Class;
            n->negate = pick(3) == 0;
            const int items = 1 + pick(3);
            static const char* ranges[] = {"a-b", "b-c", "0-9", "A-Z", "\\d", "\\w", "\\s"};
            for (int i = 0; i < items; ++i)
                n->text += pick(2) ? std::string(1, letter()) : ranges[pick(7)];
            return n;
        }
        case 5:
            n->kind = Node::Escape;
            n->c = "dDwWsS"[pick(6)];
            return n;
        case 6:
            width = false;
            n->kind = pick(2) ? Node::Bol : Node::Eol;
            return n;
        case 7: {
            n->kind = Node::Quoted;
            const int length = pick(4);
            for (int i = 0; i < length; ++i)
                n->text += letter();
            width = length > 0;
            return n;
        }
        default:
            break;
        }
        if (roll == 10 && groups_ + 8 <= 9) {  // a group holding an unordered pair
            const int total = groups_ + 8;
            groups_ = 9;  // the sides are written twice, so they hold no groups of their own
            n->kind = Node::Group;
            auto pair = make(Node::Pair);
            bool wide = false;
            pair->parts.push_back(seq(depth + 1, true, wide));
            pair->parts.push_back(seq(depth + 1, true, wide));
            groups_ = total;
            width = true;
            n->parts.push_back(pair);
            return n;
        }
        if (groups_ >= 9) {
            n->kind = Node::Char;
            n->c = letter();
            return n;
        }
        ++groups_;
        n->kind = Node::Group;
        n->parts.push_back(alt(depth + 1, width));
        return n;
    }

    std::mt19937 rng_;
    int groups_ = 0;
};

std::string randomText(std::mt19937& rng)
{
    static const char chars[] = "aabbc A1 _\r\0";  // NUL is a character of the text too
    std::string t;
    const int length = static_cast<int>(rng() % 25);
    for (int i = 0; i < length; ++i)
        t += chars[rng() % (sizeof chars - 1)];
    return t;
}

// All matches, each search starting where the previous match ended (one further after an empty
// match), as "start,end(g1s,g1e)..." lines.
std::string oursAll(TREParser& re, quarry::TTextRuns& text)
{
    std::string out;
    TextPos from = 0;
    for (int n = 0; n < 20 && from <= text.size() && re.Search(text, from, true); ++n) {
        out += std::to_string(re.MatchStart()) + "," + std::to_string(re.MatchEnd());
        for (int g = 1; g <= re.GroupCount(); ++g)
            out += "(" + std::to_string(re.RecordedPosition(2 * g)) + "," +
                   std::to_string(re.RecordedPosition(2 * g + 1)) + ")";
        out += "\n";
        from = re.MatchEnd() + (re.MatchEnd() == re.MatchStart() ? 1 : 0);
    }
    return out;
}

std::string stdAll(const std::regex& re, const std::string& text, int groups)
{
    std::string out;
    std::size_t from = 0;
    std::smatch m;
    for (int n = 0; n < 20 && from <= text.size(); ++n) {
        const auto flags = from > 0 ? std::regex_constants::match_prev_avail
                                    : std::regex_constants::match_default;
        if (!std::regex_search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), m, re, flags))
            break;
        const std::size_t start = from + static_cast<std::size_t>(m.position(0));
        const std::size_t end = start + static_cast<std::size_t>(m.length(0));
        out += std::to_string(start) + "," + std::to_string(end);
        for (int g = 1; g <= groups; ++g) {
            if (m[g].matched) {
                const std::size_t s = from + static_cast<std::size_t>(m.position(g));
                out += "(" + std::to_string(s) + "," + std::to_string(s + m.length(g)) + ")";
            } else {
                out += "(-1,-1)";
            }
        }
        out += "\n";
        from = end + (end == start ? 1 : 0);
    }
    return out;
}

TEST(TREParserDifferential, MatchesAndGroupsAgreeWithStdRegexOnTheSharedSyntax)
{
    Generator gen(42);
    std::mt19937 rng(7);
    int compared = 0;
    int withMatches = 0;
    int tooComplex = 0;
    for (int round = 0; round < kRounds; ++round) {
        const NodePtr tree = gen.expression();
        const Rendered r = render(tree);
        const bool caseSensitive = round % 4 != 0;
        TREParser ours;
        ours.SetStepBudget(kBudget);
        ours.SetCaseSensitive(caseSensitive);
        ASSERT_NO_THROW(ours.SetExpression(r.ours)) << r.ours;
        auto flags = std::regex::ECMAScript | std::regex::multiline;
        if (!caseSensitive)
            flags |= std::regex::icase;
        std::regex theirs;
        try {
            theirs = std::regex(r.ecma, flags);
        } catch (const std::regex_error&) {
            ADD_FAILURE() << "std::regex refused " << r.ecma;
            continue;
        }
        for (int t = 0; t < 6; ++t) {
            const std::string text = randomText(rng);
            quarry::TFlatText flat(text);
            std::string got;
            try {
                got = oursAll(ours, flat);
            } catch (const quarry::EREParser& e) {
                // Overlapping alternatives under a repeat backtrack exponentially in any
                // backtracking engine; the budget ends those, and they are not compared.
                ASSERT_EQ(quarry::TREError::TooComplex, e.code()) << r.ours;
                ++tooComplex;
                continue;
            }
            std::string expected;
            try {
                expected = stdAll(theirs, text, ours.GroupCount());
            } catch (const std::regex_error&) {
                continue;  // std::regex gave up (its own complexity limit)
            }
            ++compared;
            withMatches += expected.empty() ? 0 : 1;
            ASSERT_EQ(expected, got) << "ours: " << r.ours << "\necma: " << r.ecma
                                     << "\ncase: " << caseSensitive << "\ntext: "
                                     << ::testing::PrintToString(text);
        }
    }
    EXPECT_GT(withMatches, compared / 4);  // the texts must give the matcher work
    EXPECT_LT(tooComplex, compared / 100);
}

// The filters, the run skipping and the cutting of the text into runs change nothing.
TEST(TREParserDifferential, FiltersAndRunBoundariesDoNotChangeResults)
{
    Generator gen(99);
    std::mt19937 rng(3);
    for (int round = 0; round < kRounds; ++round) {
        const Rendered r = render(gen.expression());
        TREParser fast;
        TREParser plain;
        for (TREParser* re : {&fast, &plain}) {
            re->SetCaseSensitive(round % 3 != 0);
            re->SetStepBudget(kBudget);
            re->SetExpression(r.ours);
        }
        plain.SetAccelerators(false);
        for (int t = 0; t < 4; ++t) {
            const std::string text = randomText(rng) + randomText(rng);
            quarry::TFlatText flat(text);
            quarry::test::SplitText split(text, static_cast<unsigned>(round * 4 + t), 2);
            std::string expected;
            try {
                expected = oursAll(plain, flat);
            } catch (const quarry::EREParser& e) {
                ASSERT_EQ(quarry::TREError::TooComplex, e.code()) << r.ours;
                continue;
            }
            ASSERT_EQ(expected, oursAll(fast, flat)) << r.ours << " in " << ::testing::PrintToString(text);
            ASSERT_EQ(expected, oursAll(fast, split)) << r.ours << " split " << ::testing::PrintToString(text);
            // Backward, from the end: the nearest start before the position, both ways.
            for (TextPos from : {static_cast<TextPos>(text.size()), static_cast<TextPos>(text.size() / 2)}) {
                const bool a = plain.Search(flat, from, false);
                const TextPos as = plain.MatchStart();
                const TextPos ae = plain.MatchEnd();
                const bool b = fast.Search(split, from, false);
                ASSERT_EQ(a, b) << r.ours << " backward from " << from;
                if (a) {
                    ASSERT_EQ(as, fast.MatchStart()) << r.ours;
                    ASSERT_EQ(ae, fast.MatchEnd()) << r.ours;
                }
            }
        }
    }
}

}  // namespace
