#pragma once
// The compiled form of a regular expression: a byte array that starts with the magic value and
// holds nodes of 1 byte opcode, 2 bytes next-node offset (high byte first, 0 = none) and an
// operand. A node's successor lies that offset after it, except for BACK, whose successor lies
// that offset before it (the only backward link: it closes loops).
//
// Counter nodes implement bounded repeats. Their arrangement is ours: a test node has two
// successors, the node right after it (4 bytes on) and its next node:
//   CTESTZERO c   counter c == 0  -> next, else -> the node after it
//   CBELOW1 c     counter c <  1  -> next, else -> the node after it
//   CABOVE0 c     counter c >  0  -> next, else -> the node after it
// X{m,n} becomes (parts left out when m == 0, n == m or n unbounded):
//   CSET a=m  CSET b=n-m  L: CTESTZERO a -> O   CDEC a -> X
//   O: CBELOW1 b -> EXIT   BRANCH { CDEC b -> X } BRANCH { NOTHING -> EXIT }
//   X ... BACK -> L   EXIT: NOTHING
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quarry {

namespace reop {
inline constexpr std::uint8_t kMagic = 156;
inline constexpr std::uint8_t END = 0;
inline constexpr std::uint8_t BOL = 1;
inline constexpr std::uint8_t EOL = 2;
inline constexpr std::uint8_t ANY = 3;
inline constexpr std::uint8_t ANYOF = 4;
inline constexpr std::uint8_t ANYBUT = 5;
inline constexpr std::uint8_t BRANCH = 6;
inline constexpr std::uint8_t BACK = 7;
inline constexpr std::uint8_t EXACTLY = 8;
inline constexpr std::uint8_t NOTHING = 9;
inline constexpr std::uint8_t STAR = 10;
inline constexpr std::uint8_t PLUS = 11;
inline constexpr std::uint8_t OPEN = 20;    // + group number 1..9
inline constexpr std::uint8_t CLOSE = 40;   // + group number 1..9
inline constexpr std::uint8_t CSET = 150;   // counter, 16-bit start value low byte first
inline constexpr std::uint8_t CDEC = 152;
inline constexpr std::uint8_t CTESTZERO = 153;
inline constexpr std::uint8_t CBELOW1 = 154;
inline constexpr std::uint8_t CABOVE0 = 155;

inline constexpr int kHeader = 3;       // opcode and next offset
inline constexpr int kSetSize = 6;      // header, counter, start value
inline constexpr int kCounterSize = 4;  // header, counter
inline constexpr int kClassSize = 3 + 256;
inline constexpr int kMaxGroups = 9;
inline constexpr int kCounters = 256;
}  // namespace reop

// A bounded repeat of a single-character node, noted by the compiler so that the matcher can
// count it in one loop instead of walking its counter nodes.
struct TREFastRepeat {
    int head = 0;   // first node of the construct
    int atom = 0;   // the single-character node
    int exit = 0;   // the NOTHING node that ends the construct
    int min = 0;
    int max = 0;    // -1: no upper bound
};

struct TREProgram {
    std::vector<std::uint8_t> code;        // code[0] == kMagic when compiled
    int groups = 0;                        // groups used, 0..9
    int counters = 0;                      // repeat counters used
    bool caseSensitive = true;             // literals compare folded when false
    std::vector<TREFastRepeat> fastRepeats;
};

// Size in bytes of the node at offset at; 0 when the opcode is unknown or the node is cut off.
int reNodeSize(const std::vector<std::uint8_t>& code, std::size_t at);
// The successor offset of the node at at, 0 when it has none.
int reNext(const std::vector<std::uint8_t>& code, int at);
// One line per program, nodes separated by blanks: "1:BRANCH->9 4:EXACTLY\"a\"->9 9:END".
std::string reDump(const std::vector<std::uint8_t>& code);

}  // namespace quarry
