#pragma once
// Runs a compiled node program over a text.
//
// The node program is first decoded into an instruction array with resolved successors and a
// 256-entry table for every single-character node; chains of literal nodes are joined, and the
// bounded repeats of one character that the compiler noted are counted in one loop instead of
// walking their counter nodes. The matcher itself is a loop with an explicit backtracking stack
// (choice points plus undo entries for group positions and counters), so neither deep nesting nor
// long texts can overflow the machine stack. A search has one budget of steps for all its start
// positions, counting every instruction and every character a repeat or a literal reads: a fixed
// allowance plus a number of steps for each character the search may cover. Linear work fits on
// any text; work that grows faster than the text ends with "Expression too complex" instead of
// freezing Find.
//
// Before a start position is tried, cheap filters reject it: the set of characters a match can
// begin with, the line starts for expressions that begin with "^", the literal prefixes every
// match begins with, and for expressions that cannot cross a line end, the nearest occurrence of
// a literal every match contains. An expression that begins with a repeat of one character skips
// the rest of a run after a failure, since every later start in the run tries a subset of the
// same continuations. STAR, PLUS and counted repeats only try counts after which the next
// character can begin the rest of the expression.
#include "regex/TLiteralScanner.h"
#include "text/TRunReader.h"
#include "text/TTextRuns.h"
#include "regex/TREProgram.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quarry {

class TREMatcher final {
public:
    // Slots of the recorded positions: 0 match start, 1 match end, 2n and 2n+1 group n.
    static constexpr int kSlots = 2 + 2 * reop::kMaxGroups;
    static constexpr std::int64_t kDefaultStepBudget = 10'000'000;
    static constexpr std::int64_t kStepsPerCharacter = 1024;

    // Throws EREParser "Internal error" when the program is not a well-formed node program.
    explicit TREMatcher(const TREProgram& program);
    ~TREMatcher();
    TREMatcher(const TREMatcher&) = delete;  // holds per-search state and tables
    TREMatcher& operator=(const TREMatcher&) = delete;

    // Forward: tries from `from` up to the end of the text. Backward: tries the positions before
    // `from`, nearest first. True when a match was found; slots() then describe it.
    bool search(TTextRuns& text, TextPos from, bool forward);

    const std::array<TextPos, kSlots>& slots() const { return slots_; }

    // The fixed allowance of a search, before the steps per character are added.
    void setStepBudget(std::int64_t steps) { budget_ = steps; }
    // The filters and run skipping change speed only; tests switch them off to compare.
    void setAccelerators(bool on) { accelerate_ = on; }

    // What the analysis found, for tests and benchmarks: "first=[a-z] anchored prefix=foo ...".
    std::string describeFilters() const;

private:
    struct Inst;
    struct Frame;

    bool run(TRunReader& reader, TextPos start);
    bool backtrack(TRunReader& reader, int& pc, TextPos& pos);
    void charge(std::int64_t steps);
    TextPos countRun(TRunReader& reader, TextPos pos, const std::uint8_t* table, TextPos max);
    bool tryCount(TRunReader& reader, const Inst& inst, TextPos base, TextPos& count);
    bool literalAt(TRunReader& reader, const Inst& inst, TextPos pos);
    TextPos nextCandidate(TRunReader& reader, TTextRuns& text, TextPos pos);
    TextPos prevCandidate(TRunReader& reader, TextPos pos) const;
    TextPos scanForward(TRunReader& reader, TextPos pos, const std::uint8_t* table) const;
    TextPos runWindow(TRunReader& reader, TextPos pos, const std::uint8_t* table, TextPos min) const;
    TextPos scanBackward(TRunReader& reader, TextPos pos, const std::uint8_t* table) const;
    TextPos lineStartAtOrAfter(TRunReader& reader, TextPos pos) const;
    TextPos lineStartAtOrBefore(TRunReader& reader, TextPos pos, TextPos floor = 0) const;
    void push(std::uint8_t kind, std::uint8_t arg, int inst, TextPos pos, TextPos value);
    std::vector<int> successors(int i) const;
    // What a walk over the instructions does after visiting one.
    enum class Walk : std::uint8_t { Follow, Prune, Fail };
    template <typename Visit>
    bool walkReachable(int from, Visit visit) const;
    bool firstSet(int from, std::array<std::uint8_t, 256>& set) const;
    bool singleChar(const std::array<std::uint8_t, 256>& table, std::uint8_t& c) const;
    std::string requiredLiteral() const;
    std::vector<std::string> literalPrefixes() const;
    bool isAnchored() const;
    bool prefixAt(TRunReader& reader, TextPos pos) const;

    void decode(const TREProgram& program);
    void analyse();

    std::vector<Inst> insts_;
    std::vector<std::array<std::uint8_t, 256>> tables_;
    std::string literals_;      // joined literal texts, already folded
    const std::uint8_t* fold_;  // identity or upper-case table
    std::array<std::uint8_t, 256> identity_{};
    int start_ = 0;
    int groups_ = 0;
    int counters_ = 0;

    // filters
    bool accelerate_ = true;
    bool firstUseful_ = false;
    int firstTable_ = -1;       // tables_ index of the characters a match can begin with
    bool anchored_ = false;     // every match begins at a line start
    std::vector<std::string> prefixes_;
    std::unique_ptr<TLiteralScanner> required_;  // with lineLocal_: a literal in every match
    std::unique_ptr<TLiteralScanner> prefixScanner_;  // the one prefix, when there is one
    int firstSingle_ = -1;      // the one character a match begins with, or -1
    bool lineLocal_ = false;
    TextPos requiredAt_ = -2;   // cached occurrence; -2 unknown, -1 none left
    TextPos requiredLineStart_ = 0;  // of requiredAt_'s line, or the position it was sought from
    int leading_ = -1;          // index of a leading one-character repeat

    // match state
    std::int64_t budget_ = kDefaultStepBudget;
    std::int64_t remaining_ = 0;  // steps left to the search under way
    std::vector<Frame> stack_;
    std::array<TextPos, kSlots> slots_{};
    std::array<std::int32_t, reop::kCounters> counterValues_{};
};

}  // namespace quarry
