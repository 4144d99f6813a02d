#include "editor/KeyScan.h"

#include <array>
#include <cstddef>

namespace quarry {

namespace {

// Virtual-key codes of the US layout's punctuation keys.
constexpr int kOem1 = 0xBA;       // ; :
constexpr int kOemPlus = 0xBB;    // = +
constexpr int kOemComma = 0xBC;   // , <
constexpr int kOemMinus = 0xBD;   // - _
constexpr int kOemPeriod = 0xBE;  // . >
constexpr int kOem2 = 0xBF;       // / ?
constexpr int kOem3 = 0xC0;       // ` ~
constexpr int kOem4 = 0xDB;       // [ {
constexpr int kOem5 = 0xDC;       // \ |
constexpr int kOem6 = 0xDD;       // ] }
constexpr int kOem7 = 0xDE;       // ' "

struct KeyOf {
    char ch;
    int scan;
};

constexpr KeyOf kPunctuation[] = {
    {' ', 0x20},
    {';', kOem1},          {':', kOem1 | kKeyScanShift},
    {'=', kOemPlus},       {'+', kOemPlus | kKeyScanShift},
    {',', kOemComma},      {'<', kOemComma | kKeyScanShift},
    {'-', kOemMinus},      {'_', kOemMinus | kKeyScanShift},
    {'.', kOemPeriod},     {'>', kOemPeriod | kKeyScanShift},
    {'/', kOem2},          {'?', kOem2 | kKeyScanShift},
    {'`', kOem3},          {'~', kOem3 | kKeyScanShift},
    {'[', kOem4},          {'{', kOem4 | kKeyScanShift},
    {'\\', kOem5},         {'|', kOem5 | kKeyScanShift},
    {']', kOem6},          {'}', kOem6 | kKeyScanShift},
    {'\'', kOem7},         {'"', kOem7 | kKeyScanShift},
    // The shifted digit row: ) ! @ # $ % ^ & * ( over 0 to 9.
    {')', '0' | kKeyScanShift}, {'!', '1' | kKeyScanShift}, {'@', '2' | kKeyScanShift},
    {'#', '3' | kKeyScanShift}, {'$', '4' | kKeyScanShift}, {'%', '5' | kKeyScanShift},
    {'^', '6' | kKeyScanShift}, {'&', '7' | kKeyScanShift}, {'*', '8' | kKeyScanShift},
    {'(', '9' | kKeyScanShift},
    // Control characters that have keys of their own; a line feed is Ctrl+Return.
    {'\b', 0x08}, {'\t', 0x09}, {'\r', 0x0D}, {'\n', 0x0D | kKeyScanCtrl}, {'\x1B', 0x1B},
};

std::array<std::int16_t, 256> buildTable()
{
    std::array<std::int16_t, 256> table;
    table.fill(-1);
    for (int c = 'a'; c <= 'z'; ++c) table[std::size_t(c)] = std::int16_t(c - 'a' + 'A');
    for (int c = 'A'; c <= 'Z'; ++c) table[std::size_t(c)] = std::int16_t(c | kKeyScanShift);
    for (int c = '0'; c <= '9'; ++c) table[std::size_t(c)] = std::int16_t(c);
    // The other control characters are Ctrl with the letter of their code.
    for (int c = 1; c <= 26; ++c) table[std::size_t(c)] = std::int16_t(('A' + c - 1) | kKeyScanCtrl);
    for (const KeyOf& k : kPunctuation) table[static_cast<unsigned char>(k.ch)] = std::int16_t(k.scan);
    return table;
}

}  // namespace

int VkKeyScan(char c)
{
    static const std::array<std::int16_t, 256> table = buildTable();
    return table[static_cast<unsigned char>(c)];
}

int KeyScanOf(std::uint16_t key, TShiftState shift)
{
    int scan = key & 0xFF;
    if (shift & ssShift) scan |= kKeyScanShift;
    if (shift & ssCtrl) scan |= kKeyScanCtrl;
    if (shift & ssAlt) scan |= kKeyScanAlt;
    return scan;
}

}  // namespace quarry
